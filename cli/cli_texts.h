#pragma once

#include "messages.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// kibrel-cli's texts in the user's language, from one catalog, cli/po/ja.po. Natively they
// follow the locale through GNU gettext: Japanese under a Japanese locale (the window's own
// texts where the window has them), the English texts written here otherwise. On Windows,
// which has no gettext, the catalog is built into the program and the ANSI code page decides,
// as it always has for the window's texts: Japanese under code page 932, English otherwise.
// Every text comes back in UTF-8.

#ifdef _WIN32
// The Japanese catalog as the Windows kibrel-cli carries it, made from cli/po/ja.po.
struct CatalogEntry {
    const char* english;
    const char* japanese;
};
extern const CatalogEntry japaneseCatalog[];
extern const std::size_t japaneseCatalogSize;
#endif

// Makes the catalog ready: natively the locale of the environment and the catalog's folder,
// beside the program in a build tree, else where it was installed.
void loadCatalog();

// An English text of kibrel-cli's own, translated.
std::string translated(const char* english);

// The template with every "%1", "%2", ... replaced by the texts given, in one walk, so that
// nothing a text brings in is replaced again.
std::string filledIn(const std::string& text, const std::vector<std::string>& values);

// A text of kibrel-cli's own with what fills its "%1", "%2", ...: the English template is the
// catalog's key; the values are bytes of the code page the text is said in.
struct Phrase {
    Phrase() = default;
    Phrase(const char* text, std::vector<std::string> filling = {})
        : english(text), values(std::move(filling)) {}

    const char* english = "";
    std::vector<std::string> values;
};

// The phrase translated, in the code page, with its values put in.
std::string said(const Phrase& phrase, unsigned codePage);

// The window's fixed text, as kibrel-cli says it. nativeNames: natively, new names are refused
// only for what the platform forbids ('/'), and text 11 says so.
std::string systemText(SystemText id, bool nativeNames);

// The English form of a fixed text (the catalog's key).
std::string_view englishSystemText(SystemText id, bool nativeNames);
