#include "library_text.h"

#include <cstdint>

namespace {

bool isShiftJisLead(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool isShiftJisTrail(unsigned char b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

// The length of the UTF-8 sequence at `at` when it decodes to a code point that is not
// overlong, not a surrogate and not beyond U+10FFFF; 0 when it is not well formed.
std::size_t utf8SequenceLength(std::string_view text, std::size_t at) {
    auto b = static_cast<unsigned char>(text[at]);
    std::size_t length = 0;
    std::uint32_t value = 0;
    if (b < 0x80)
        return 1;
    if ((b & 0xE0) == 0xC0) {
        length = 2;
        value = b & 0x1Fu;
    } else if ((b & 0xF0) == 0xE0) {
        length = 3;
        value = b & 0x0Fu;
    } else if ((b & 0xF8) == 0xF0) {
        length = 4;
        value = b & 0x07u;
    } else {
        return 0;
    }
    if (at + length > text.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        auto c = static_cast<unsigned char>(text[at + i]);
        if ((c & 0xC0) != 0x80)
            return 0;
        value = value << 6 | (c & 0x3Fu);
    }
    constexpr std::uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < smallest[length] || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF)
        return 0;
    return length;
}

// The length of the character at `at`, and whether it is a whole character of the code page.
std::size_t characterAt(std::string_view text, std::size_t at, unsigned codePage, bool& whole) {
    auto b = static_cast<unsigned char>(text[at]);
    whole = true;
    if (codePage == 932 && isShiftJisLead(b)) {
        if (at + 1 < text.size() && isShiftJisTrail(static_cast<unsigned char>(text[at + 1])))
            return 2;
        whole = false;
        return 1;
    }
    if (codePage == 65001) {
        std::size_t length = utf8SequenceLength(text, at);
        whole = length != 0;
        return whole ? length : 1;
    }
    return 1;
}

} // namespace

std::size_t libraryCharLength(std::string_view text, std::size_t at, unsigned codePage) {
    bool whole = false;
    return characterAt(text, at, codePage, whole);
}

bool onLibraryBoundary(std::string_view text, std::size_t at, unsigned codePage) {
    return libraryBoundaryFrom(text, at, codePage) == at;
}

std::size_t libraryBoundaryFrom(std::string_view text, std::size_t at, unsigned codePage) {
    std::size_t i = 0;
    while (i < at && i < text.size())
        i += libraryCharLength(text, i, codePage);
    return i;
}

bool isWellFormed(std::string_view text, unsigned codePage) {
    bool whole = true;
    for (std::size_t i = 0; i < text.size() && whole;)
        i += characterAt(text, i, codePage, whole);
    return whole;
}
