#include "dialog_messages.h"

#include "ansi_code_page.h"
#include "resource_string.h"
#include "system_texts.h"
#include "text_conversion.h"

namespace {

constexpr int messageBuffer = 100;
constexpr int programVersionBuffer = 10;
constexpr int libraryMissingBuffer = 32;
// The two lines of the braces message take 105 bytes under code page 932, more than the
// buffer of the other messages holds.
constexpr int regionInGroupBuffer = 256;

} // namespace

// The string table is Japanese: under any other code page than 932 its characters would come
// out as question marks, so there every text is the engine's English one. The choice is made
// here rather than by a second string table, because LoadStringA picks its table by the
// user's interface language, which need not match the ANSI code page.
std::string DialogMessages::text(SystemText id) {
    const unsigned codePage = ansiCodePage().number();
    const TextLanguage language = textLanguageFor(codePage);
    if (language != TextLanguage::japanese)
        return fromUtf8(systemTextUtf8(id, language), codePage);
    unsigned number = static_cast<unsigned>(id);
    switch (id) {
    case SystemText::BadPattern:
    case SystemText::ForbiddenCharacter:
        return loadResourceString<messageBuffer>(number);
    case SystemText::RegionInGroup:
        return loadResourceString<regionInGroupBuffer>(number);
    case SystemText::ProgramVersion:
        return loadResourceString<programVersionBuffer>(number);
    case SystemText::LibraryMissing:
        return loadResourceString<libraryMissingBuffer>(number);
    case SystemText::LibraryUnusable:
    case SystemText::PatternRefused:
    case SystemText::PathsNotHeld:
        return fromUtf8(systemTextUtf8(id), ansiCodePage().number());
    }
    return {};
}

int DialogMessages::showMessage(const std::string& text, unsigned type,
                                const std::string& caption) {
    const std::string& shown = caption.empty() ? app_.appName() : caption;
    return MessageBoxA(window_, text.c_str(), shown.c_str(), type);
}

int DialogMessages::showHelpMessage(const std::string& text, unsigned type, unsigned helpId) {
    return app_.appMessageBox(text, type, helpId);
}
