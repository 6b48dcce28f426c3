#include "rename_engine.h"
#include "text_walk.h"

#include <cstddef>

namespace {

// A backslash shortcut: the byte behind the backslash and what the pair becomes.
struct Shortcut {
    char key;
    std::string_view expansion;
    std::size_t length;
};

constexpr Shortcut shortcuts[] = {
    {MarkerOpen, "{", 1},
    {MarkerClose, "}", 1},
    {'A', "[^a-zA-Z]", 9},
    {'D', "[^0-9]", 6},
    {'H', "[^0-9a-fA-F]", 12},
    {'N', "(([0-9]+.[0-9]*)|([0-9]*.[0-9]+)|([0-9]+))", 42},
    {'W', "[^a-zA-Z0-9_]", 13},
    {'a', "[a-zA-Z]", 8},
    {'d', "[0-9]", 5},
    {'h', "[0-9a-fA-F]", 11},
    {'q', "((\"[^\"]*\")|('[^']*'))", 21},
    {'w', "[a-zA-Z0-9_]", 12},
};

constexpr bool lengthsAsListed() {
    for (const Shortcut& s : shortcuts)
        if (s.expansion.size() != s.length || s.expansion.find('\\') != std::string_view::npos)
            return false;
    return true;
}
static_assert(lengthsAsListed(), "every expansion has its listed length and holds no backslash");

const Shortcut* shortcutFor(char key) {
    for (const Shortcut& s : shortcuts)
        if (s.key == key)
            return &s;
    return nullptr;
}

void replaceAll(std::string& text, char from, char to, const CodePage& cp) {
    for (std::size_t i = findChar(text, from, 0, cp); i != notFound;
         i = findChar(text, from, i + 1, cp))
        text[i] = to;
}

} // namespace

int RenameEngine::preparePattern() {
    if (searchText.empty())
        return 0;
    replaceAll(searchText, '{', MarkerOpen, codePage_);
    replaceAll(searchText, '}', MarkerClose, codePage_);
    // A pair that is no shortcut, a trailing backslash included, stays; the search goes on
    // from the byte behind the backslash, so "\\d" becomes a backslash and "[0-9]".
    for (std::size_t i = findChar(searchText, '\\', 0, codePage_); i != notFound;
         i = findChar(searchText, '\\', i + 1, codePage_)) {
        const Shortcut* s = i + 1 < searchText.size() ? shortcutFor(searchText[i + 1]) : nullptr;
        if (s != nullptr)
            searchText.replace(i, 2, s->expansion);
    }
    return buildRegionList();
}

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

bool RenameEngine::preparePatternForPass() {
    if (preparePattern() == 0) {
        messages_.showMessage(messages_.text(SystemText::BadPattern), MessageType::ok);
        return false;
    }
    int structure = checkPatternStructure();
    if (structure == 0) {
        messages_.showHelpMessage(messages_.text(SystemText::RegionInGroup),
                                  MessageType::ok | MessageType::iconInformation |
                                      MessageType::help,
                                  regionInGroupHelpId);
        return false;
    }
    if (structure == -1) {
        messages_.showMessage(messages_.text(SystemText::BadPattern), MessageType::ok);
        return false;
    }
    return true;
}
