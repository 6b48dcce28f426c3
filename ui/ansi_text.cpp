#include "ansi_text.h"

#include <windows.h>

#include <climits>

std::string ansiFromUtf8(std::string_view utf8) {
    if (utf8.empty() || utf8.size() > INT_MAX)
        return {};
    int utf8Length = static_cast<int>(utf8.size());
    int wideLength = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), utf8Length, nullptr, 0);
    if (wideLength <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    if (MultiByteToWideChar(CP_UTF8, 0, utf8.data(), utf8Length, wide.data(), wideLength) !=
        wideLength)
        return {};
    int ansiLength =
        WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (ansiLength <= 0)
        return {};
    std::string ansi(static_cast<std::size_t>(ansiLength), '\0');
    if (WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, ansi.data(), ansiLength, nullptr,
                            nullptr) != ansiLength)
        return {};
    return ansi;
}
