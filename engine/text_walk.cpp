#include "text_walk.h"

#include <cstdint>

namespace {

// The bytes below 0x80 of a set, as bits; bytes of 0x80 and above are never syntax characters.
struct AsciiSet {
    explicit AsciiSet(std::string_view set) {
        for (char c : set)
            if (static_cast<unsigned char>(c) < 0x80)
                bits[static_cast<unsigned char>(c) >> 6] |= std::uint64_t{1} << (c & 63);
    }
    bool has(unsigned char b) const { return (bits[b >> 6] >> (b & 63) & 1) != 0; }
    std::uint64_t bits[2] = {};
};

} // namespace

// A byte below 0x80 is a character of its own under every code page of the program (no lead
// byte of 932 and no UTF-8 sequence begins below it), so the walk asks the code page only at
// the others.
std::size_t findAnyChar(std::string_view text, std::string_view set, std::size_t from,
                        const CodePage& cp) {
    const AsciiSet wanted(set);
    for (std::size_t i = from; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b < 0x80) {
            if (wanted.has(b))
                return i;
            ++i;
        } else {
            i += cp.charLength(text, i);
        }
    }
    return notFound;
}

std::size_t findChar(std::string_view text, char ch, std::size_t from, const CodePage& cp) {
    return findAnyChar(text, std::string_view(&ch, 1), from, cp);
}

std::size_t findLastChar(std::string_view text, char ch, const CodePage& cp) {
    std::size_t last = notFound;
    for (std::size_t i = findChar(text, ch, 0, cp); i != notFound;
         i = findChar(text, ch, i + 1, cp))
        last = i;
    return last;
}
