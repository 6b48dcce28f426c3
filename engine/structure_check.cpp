#include "rename_engine.h"
#include "text_walk.h"

#include <cstddef>

namespace {

// Whether the first "first" and "second" of the text from `from` on pair up: neither occurs,
// or both occur with the first "first" in front.
enum class Pairing { neither, inOrder, broken };

Pairing pairing(std::string_view text, char first, char second, std::size_t from,
                const CodePage& cp) {
    std::size_t f = findChar(text, first, from, cp);
    std::size_t s = findChar(text, second, from, cp);
    if (f == notFound && s == notFound)
        return Pairing::neither;
    if (f == notFound || s == notFound || s < f)
        return Pairing::broken;
    return Pairing::inOrder;
}

// The ")" that closes the "(" at open, or notFound when the text ends first.
std::size_t closingParenthesis(std::string_view text, std::size_t open, const CodePage& cp) {
    int depth = 1;
    std::size_t q = open + 1;
    std::size_t b = notFound;
    while (depth > 0) {
        std::size_t o = findChar(text, '(', q, cp);
        b = findChar(text, ')', q, cp);
        if (b == notFound)
            return notFound;
        if (o != notFound && o < b) {
            ++depth;
            q = o + 1;
        } else {
            --depth;
            q = b + 1;
        }
    }
    return b;
}

} // namespace

// Every "(" and ")" counts, escaped or inside a bracket expression, those of the expansions
// included. Only opening markers are looked for inside a group.
int RenameEngine::checkPatternStructure() const {
    const std::string_view text = searchText;
    const CodePage& cp = codePage_;
    Pairing parentheses = pairing(text, '(', ')', 0, cp);
    if (parentheses == Pairing::broken)
        return -1;
    Pairing markers = pairing(text, MarkerOpen, MarkerClose, 0, cp);
    if (markers == Pairing::broken)
        return -1;
    if (parentheses == Pairing::neither || markers == Pairing::neither)
        return 1;
    std::size_t p = 0;
    for (;;) {
        std::size_t c = findChar(text, '(', p, cp);
        std::size_t b = closingParenthesis(text, c, cp);
        if (b == notFound)
            return -1;
        if (findChar(text, MarkerOpen, c + 1, cp) < b)
            return 0;
        p = b + 1;
        Pairing rest = pairing(text, '(', ')', p, cp);
        if (rest == Pairing::broken)
            return -1;
        if (rest == Pairing::neither || findChar(text, MarkerOpen, p, cp) == notFound)
            return 1;
    }
}
