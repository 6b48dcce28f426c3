#include "replace_expansion.h"

#include "text_walk.h"

#include <cstddef>
#include <string_view>

namespace {

// The escapes that stand for one character, and the characters they stand for.
constexpr std::string_view escapeKeys = "\\bfnrtv";
constexpr std::string_view escapeBytes = "\\\b\f\n\r\t\v";

} // namespace

std::string expandReplacement(std::string x, const std::vector<std::string_view>& captures,
                              const CodePage& cp) {
    std::size_t t = findChar(x, '\\', 0, cp);
    while (t != notFound) {
        char next = t + 1 < x.size() ? x[t + 1] : '\0';
        std::size_t from = t + 1;
        if (next >= '0' && next <= '9') {
            auto d = static_cast<std::size_t>(next - '0');
            x.erase(t, 2);
            std::string_view inserted = d < captures.size() ? captures[d] : std::string_view();
            x.insert(t, inserted);
            from = t + inserted.size();
        } else if (std::size_t e = escapeKeys.find(next); e != std::string_view::npos) {
            x.replace(t, 2, 1, escapeBytes[e]);
        }
        t = findChar(x, '\\', from, cp);
    }
    return x;
}
