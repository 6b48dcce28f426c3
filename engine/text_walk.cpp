#include "text_walk.h"

#include <cstdint>
#include <cstring>

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

// A byte below 0x80 begins a character of its own under every code page of the program (no
// lead byte of 932 and no UTF-8 sequence begins below it), so the walk asks the code page only
// at the others; where no such byte can be a second byte either (UTF-8, single-byte), no walk
// is needed at all: each byte of the set is looked for with memchr, the search ending at the
// nearest found so far.
std::size_t findAnyChar(std::string_view text, std::string_view set, std::size_t from,
                        const CodePage& cp) {
    if (from >= text.size())
        return notFound;
    if (!cp.pairsAsciiBytes()) {
        std::size_t end = text.size();
        for (char c : set) {
            if (static_cast<unsigned char>(c) >= 0x80)
                continue;
            if (const void* at = std::memchr(text.data() + from, c, end - from))
                end = static_cast<std::size_t>(static_cast<const char*>(at) - text.data());
        }
        return end == text.size() ? notFound : end;
    }
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
