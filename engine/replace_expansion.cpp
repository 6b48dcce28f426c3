#include "replace_expansion.h"

#include "text_walk.h"

#include <cstddef>
#include <string_view>

namespace {

// The escapes that stand for one character, and the characters they stand for.
constexpr std::string_view escapeKeys = "\\bfnrtv";
constexpr std::string_view escapeBytes = "\\\b\f\n\r\t\v";

} // namespace

// The result is built by appending, each piece of the Replace text and each capture once, so
// the time grows with the length of the result, however many back references there are.
std::string expandReplacement(std::string replace, const std::vector<std::string_view>& captures,
                              const CodePage& cp, std::size_t stopAfter) {
    std::string x;
    std::size_t done = 0;
    for (std::size_t t = findChar(replace, '\\', 0, cp); t != notFound && x.size() <= stopAfter;
         t = findChar(replace, '\\', done, cp)) {
        x.append(replace, done, t - done);
        const char next = t + 1 < replace.size() ? replace[t + 1] : '\0';
        done = t + 2;
        if (next >= '0' && next <= '9') {
            const auto d = static_cast<std::size_t>(next - '0');
            if (d < captures.size())
                x.append(captures[d]);
        } else if (std::size_t e = escapeKeys.find(next); e != std::string_view::npos) {
            x += escapeBytes[e];
        } else {
            x += '\\';
            done = t + 1;
        }
    }
    if (x.size() <= stopAfter)
        x.append(replace, done < replace.size() ? done : replace.size());
    return x;
}
