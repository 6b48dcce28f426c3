#include "table_code_page.h"

namespace {

constexpr unsigned shiftJis = 932;
constexpr unsigned utf8 = 65001;

bool isContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

// The length of a well-formed UTF-8 sequence at pos, or 1 for a byte that starts none.
std::size_t utf8Length(std::string_view text, std::size_t pos) {
    auto b = static_cast<unsigned char>(text[pos]);
    std::size_t need = b >= 0xF0 && b <= 0xF4 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 && b <= 0xDF ? 2 : 1;
    if (b >= 0xF5 || pos + need > text.size())
        return 1;
    for (std::size_t k = 1; k < need; ++k)
        if (!isContinuation(static_cast<unsigned char>(text[pos + k])))
            return 1;
    return need;
}

} // namespace

bool TableCodePage::isLeadByte(unsigned char b) const {
    return number_ == shiftJis && ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC));
}

// Under a double-byte code page a lead byte takes the byte behind it, whatever that is, as the
// platform's own character walk does; only at the end of the text does it stand alone.
std::size_t TableCodePage::charLength(std::string_view text, std::size_t pos) const {
    if (number_ == utf8)
        return utf8Length(text, pos);
    if (isLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size())
        return 2;
    return 1;
}
