#include "ansi.h"

#include <windows.h>

namespace e2e {

std::wstring wide(std::string_view utf8) {
    const int size = static_cast<int>(utf8.size());
    const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, text.data(), units);
    return text;
}

std::string ansi(std::string_view utf8) {
    const std::wstring characters = wide(utf8);
    const int units = static_cast<int>(characters.size());
    const int bytes =
        WideCharToMultiByte(CP_ACP, 0, characters.data(), units, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, characters.data(), units, text.data(), bytes, nullptr, nullptr);
    return text;
}

} // namespace e2e
