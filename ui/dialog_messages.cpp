#include "dialog_messages.h"

#include "ansi_text.h"
#include "main_app.h"
#include "resource_string.h"

namespace {

constexpr int messageBuffer = 100;
constexpr int programVersionBuffer = 10;
constexpr int libraryMissingBuffer = 32;
// The two lines of the braces message take 105 bytes under code page 932, more than the
// buffer of the other messages holds.
constexpr int regionInGroupBuffer = 256;

} // namespace

std::string DialogMessages::text(SystemText id) {
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
        return ansiFromUtf8("『JRE32.dll』がねぇぞこの野郎。");
    case SystemText::PatternRefused:
        return ansiFromUtf8("正規表現の使い方おかしいぞこの野郎。");
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
