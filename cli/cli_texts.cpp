#include "cli_texts.h"

#include "program_folder.h"
#include "system_texts.h"
#include "text_conversion.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <clocale>
#include <libintl.h>
#include <string>
#include <sys/stat.h>
#endif

namespace {

constexpr const char* catalog = "kibrel-cli";

} // namespace

// The catalog lies in the folder locale beside the program in a build tree, and in the locale
// folder of the tree the program was installed or unpacked in, found from the program's own
// folder. Only a folder counts as the build tree's: an installed program's /usr/bin holds the
// program locale.
void loadCatalog() {
#ifndef _WIN32
    std::setlocale(LC_ALL, "");
    const std::string folder = programFolder();
    const std::string beside = folder + "locale";
    struct stat status {};
    const bool inBuildTree = stat(beside.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
    const std::string installed = folder + KIBREL_LOCALE_FROM_PROGRAM;
    bindtextdomain(catalog, inBuildTree ? beside.c_str() : installed.c_str());
    bind_textdomain_codeset(catalog, "UTF-8");
#endif
}

std::string translated(const char* english) {
#ifdef _WIN32
    if (textLanguageFor(GetACP()) != TextLanguage::japanese)
        return english;
    const std::string_view key = english;
    for (std::size_t i = 0; i < japaneseCatalogSize; ++i)
        if (key == japaneseCatalog[i].english)
            return japaneseCatalog[i].japanese;
    return english;
#else
    return dgettext(catalog, english);
#endif
}

std::string filledIn(const std::string& text, const std::vector<std::string>& values) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t index =
            i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) - '1' : values.size();
        if (text[i] == '%' && index < values.size()) {
            out += values[index];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string said(const Phrase& phrase, unsigned codePage) {
    return filledIn(fromUtf8(translated(phrase.english), codePage), phrase.values);
}

// The window's English texts, except where a terminal needs its own words: the native rule
// for names, the pointer to --help, and the library's name as kibrel-cli loads it.
std::string_view englishSystemText(SystemText id, bool nativeNames) {
    switch (id) {
    case SystemText::ForbiddenCharacter:
        if (nativeNames)
            return "A file name cannot hold /";
        break;
    case SystemText::RegionInGroup:
        return "A region { } cannot stand inside parentheses ( ).\n"
               "See the Search text in kibrel-cli --help.";
    case SystemText::LibraryMissing:
        return "The regex library jre32 was not found.";
    default:
        break;
    }
    return systemTextUtf8(id, TextLanguage::english);
}

std::string systemText(SystemText id, bool nativeNames) {
    return translated(std::string(englishSystemText(id, nativeNames)).c_str());
}
