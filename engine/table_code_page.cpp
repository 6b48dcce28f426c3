#include "table_code_page.h"

#include "letter_case.h"

namespace {

bool inRange(unsigned char b, unsigned char low, unsigned char high) {
    return b >= low && b <= high;
}

bool isTrailByte(unsigned char b) {
    return inRange(b, 0x40, 0x7E) || inRange(b, 0x80, 0xFC);
}

// The length of a well-formed UTF-8 sequence at pos, or 1 for a byte that starts none: overlong
// forms, surrogates and values beyond U+10FFFF are not well-formed.
std::size_t utf8Length(std::string_view text, std::size_t pos) {
    auto at = [&](std::size_t i) { return static_cast<unsigned char>(text[pos + i]); };
    const std::size_t left = text.size() - pos;
    const unsigned char b0 = at(0);
    auto continues = [&](std::size_t i) { return i < left && inRange(at(i), 0x80, 0xBF); };
    if (inRange(b0, 0xC2, 0xDF))
        return continues(1) ? 2 : 1;
    if (inRange(b0, 0xE0, 0xEF)) {
        const unsigned char low = b0 == 0xE0 ? 0xA0 : 0x80;
        const unsigned char high = b0 == 0xED ? 0x9F : 0xBF;
        return left > 1 && inRange(at(1), low, high) && continues(2) ? 3 : 1;
    }
    if (inRange(b0, 0xF0, 0xF4)) {
        const unsigned char low = b0 == 0xF0 ? 0x90 : 0x80;
        const unsigned char high = b0 == 0xF4 ? 0x8F : 0xBF;
        return left > 1 && inRange(at(1), low, high) && continues(2) && continues(3) ? 4 : 1;
    }
    return 1;
}

} // namespace

bool TableCodePage::isLeadByte(unsigned char b) const {
    return number_ == shiftJisCodePage && (inRange(b, 0x81, 0x9F) || inRange(b, 0xE0, 0xFC));
}

// The regex library's walk: under 932 a lead byte and a trail byte behind it are one character;
// a lead byte followed by anything else, or by nothing, is a character of its own.
std::size_t TableCodePage::charLength(std::string_view text, std::size_t pos) const {
    if (number_ == utf8CodePage)
        return utf8Length(text, pos);
    if (isLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() &&
        isTrailByte(static_cast<unsigned char>(text[pos + 1])))
        return 2;
    return 1;
}

void TableCodePage::appendInCase(std::string_view character, LetterCase letterCase,
                                 std::string& out) const {
    switch (number_) {
    case shiftJisCodePage:
        appendShiftJisInCase(character, letterCase, out);
        break;
    case westernCodePage:
        appendWesternInCase(character, letterCase, out);
        break;
    case utf8CodePage:
        appendUtf8InCase(character, letterCase, out);
        break;
    default:
        appendAsciiInCase(character, letterCase, out);
        break;
    }
}
