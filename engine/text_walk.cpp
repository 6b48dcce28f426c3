#include "text_walk.h"

#include <array>

// A byte below 0x80 is a character of its own under every code page of the program (no lead
// byte of 932 and no UTF-8 sequence begins below it), so the walk asks the code page only at
// the others.
std::size_t findAnyChar(std::string_view text, std::string_view set, std::size_t from,
                        const CodePage& cp) {
    std::array<bool, 256> wanted{};
    for (char c : set)
        wanted[static_cast<unsigned char>(c)] = true;
    for (std::size_t i = from; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        const std::size_t len = b < 0x80 ? 1 : cp.charLength(text, i);
        if (len == 1 && wanted[b])
            return i;
        i += len;
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
