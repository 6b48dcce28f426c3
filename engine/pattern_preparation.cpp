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
