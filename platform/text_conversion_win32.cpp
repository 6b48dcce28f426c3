#include "text_conversion.h"

#include "wide_paths.h"

#include <windows.h>

#include <climits>

namespace {

// The characters of text in the code page; bytes that begin no character of it arrive as the
// platform's replacement character.
std::wstring decode(std::string_view text, unsigned codePage) {
    if (text.empty() || text.size() > INT_MAX)
        return {};
    int length = static_cast<int>(text.size());
    int wideLength = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    if (wideLength <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), length, wide.data(), wideLength);
    return wide;
}

// The characters in the code page; one that it lacks stands as "?", not as a look-alike.
std::string encode(const std::wstring& wide, unsigned codePage) {
    if (wide.empty())
        return {};
    int wideLength = static_cast<int>(wide.size());
    // UTF-8 takes no default character and no flag; every character has a form there.
    const bool utf8 = codePage == CP_UTF8;
    const char* defaultChar = utf8 ? nullptr : "?";
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    int length = WideCharToMultiByte(codePage, flags, wide.data(), wideLength, nullptr, 0,
                                     defaultChar, nullptr);
    if (length <= 0)
        return {};
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, flags, wide.data(), wideLength, text.data(), length, defaultChar,
                        nullptr);
    return text;
}

unsigned terminalCodePage() {
    unsigned console = GetConsoleOutputCP();
    return console != 0 ? console : GetACP();
}

} // namespace

std::string fromUtf8(std::string_view utf8, unsigned codePage) {
    return codePage == CP_UTF8 ? std::string(utf8) : encode(decode(utf8, CP_UTF8), codePage);
}

std::optional<std::string> fromUtf8Exactly(std::string_view utf8, unsigned codePage) {
    const std::optional<std::wstring> wide = wideFromCodePage(utf8, CP_UTF8);
    if (!wide)
        return std::nullopt;
    return codePageFromWide(*wide, codePage);
}

std::string toTerminal(std::string_view text, unsigned codePage) {
    unsigned terminal = terminalCodePage();
    return terminal == codePage ? std::string(text) : encode(decode(text, codePage), terminal);
}
