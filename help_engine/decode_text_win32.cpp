#include "code_page.h"

#include <windows.h>

#include <climits>

namespace help_engine {

std::u16string decodeText(std::string_view bytes, unsigned codePage) {
    if (bytes.empty() || bytes.size() > INT_MAX)
        return {};
    const int size = static_cast<int>(bytes.size());
    int units = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    if (units <= 0)
        return std::u16string(bytes.size(), u'\uFFFD');
    std::u16string text(static_cast<std::size_t>(units), u'\0');
    units = MultiByteToWideChar(codePage, 0, bytes.data(), size,
                                reinterpret_cast<wchar_t*>(text.data()), units);
    text.resize(static_cast<std::size_t>(units > 0 ? units : 0));
    return text;
}

} // namespace help_engine
