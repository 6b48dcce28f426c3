#include "replace_reference.h"

#include <cstddef>
#include <optional>

namespace {

std::vector<std::string_view> charactersOf(std::string_view text, const CodePage& cp) {
    std::vector<std::string_view> characters;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = cp.charLength(text, i);
        characters.push_back(text.substr(i, n));
        i += n;
    }
    return characters;
}

// The character an escape of one character stands for.
std::optional<char> singleCharacter(char key) {
    switch (key) {
    case '\\':
        return '\\';
    case 'b':
        return '\b';
    case 'f':
        return '\f';
    case 'n':
        return '\n';
    case 'r':
        return '\r';
    case 't':
        return '\t';
    case 'v':
        return '\v';
    default:
        return std::nullopt;
    }
}

} // namespace

std::string referenceExpansion(std::string_view replace,
                               const std::vector<std::string_view>& captures, const CodePage& cp,
                               std::uint64_t number) {
    std::string out;
    std::optional<LetterCase> span;
    std::optional<LetterCase> next;
    auto putCharacters = [&](std::string_view text) {
        for (std::string_view character : charactersOf(text, cp)) {
            const std::optional<LetterCase> letterCase = next ? next : span;
            next.reset();
            if (letterCase)
                cp.appendInCase(character, *letterCase, out);
            else
                out += character;
        }
    };
    const std::vector<std::string_view> chars = charactersOf(replace, cp);
    for (std::size_t k = 0; k < chars.size(); ++k) {
        if (chars[k] != "\\" || k + 1 == chars.size()) {
            putCharacters(chars[k]);
            continue;
        }
        const std::string_view key = chars[k + 1];
        const char c = key.size() == 1 ? key[0] : '\0';
        ++k;
        if (c >= '0' && c <= '9') {
            const auto d = static_cast<std::size_t>(c - '0');
            putCharacters(d < captures.size() ? captures[d] : "");
        } else if (c == '#') {
            std::string digits = std::to_string(number);
            std::size_t width = 1;
            for (; k + 1 < chars.size() && chars[k + 1] == "#"; ++k)
                ++width;
            while (digits.size() < width)
                digits = "0" + digits;
            putCharacters(digits);
        } else if (c == 'U' || c == 'L') {
            span = c == 'U' ? LetterCase::upper : LetterCase::lower;
        } else if (c == 'E') {
            span.reset();
        } else if (c == 'u' || c == 'l') {
            next = c == 'u' ? LetterCase::upper : LetterCase::lower;
        } else if (const std::optional<char> single = singleCharacter(c)) {
            putCharacters(std::string_view(&*single, 1));
        } else {
            putCharacters("\\");
            --k;
        }
    }
    return out;
}
