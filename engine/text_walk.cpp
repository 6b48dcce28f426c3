#include "text_walk.h"

std::size_t findAnyChar(std::string_view text, std::string_view set, std::size_t from,
                        const CodePage& cp) {
    std::size_t len = 0;
    for (std::size_t i = from; i < text.size(); i += len) {
        len = cp.charLength(text, i);
        if (len == 1 && set.find(text[i]) != std::string_view::npos)
            return i;
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
