#include "replace_expansion.h"

#include "text_walk.h"

#include <cstddef>
#include <optional>
#include <string_view>
#include <utility>

namespace {

// The escapes that stand for one character, and the characters they stand for.
constexpr std::string_view escapeKeys = "\\bfnrtv";
constexpr std::string_view escapeBytes = "\\\b\f\n\r\t\v";

// The expansion as it grows: what is put in goes through the case that "\U", "\L", "\u" and
// "\l" asked for, character by character of the code page.
class Expansion {
  public:
    explicit Expansion(const CodePage& cp) : cp_(cp) {}

    // Under "\U" or "\L" every character goes through their case; otherwise only the one
    // character that "\u" or "\l" asked for, and the rest goes in as it is.
    void put(std::string_view text) {
        std::size_t i = 0;
        while (i < text.size() && (span_ || next_)) {
            const std::size_t n = cp_.charLength(text, i);
            const LetterCase letterCase = next_ ? *next_ : *span_;
            next_.reset();
            cp_.appendInCase(text.substr(i, n), letterCase, out_);
            i += n;
        }
        out_ += text.substr(i);
    }
    void openSpan(LetterCase letterCase) { span_ = letterCase; }
    void closeSpan() { span_.reset(); }
    void caseOfNext(LetterCase letterCase) { next_ = letterCase; }
    std::size_t size() const { return out_.size(); }
    std::string take() { return std::move(out_); }

  private:
    const CodePage& cp_;
    std::string out_;
    std::optional<LetterCase> span_;
    std::optional<LetterCase> next_;
};

// The number in decimal, with zeros in front up to width digits.
std::string padded(std::uint64_t number, std::size_t width) {
    std::string digits = std::to_string(number);
    if (digits.size() < width)
        digits.insert(0, width - digits.size(), '0');
    return digits;
}

} // namespace

// The result is built by appending, each piece of the Replace text and each capture once, so
// the time grows with the length of the result, however many back references there are.
std::string expandReplacement(std::string_view replace,
                              const std::vector<std::string_view>& captures, const CodePage& cp,
                              std::uint64_t number, std::size_t stopAfter) {
    std::size_t t = findChar(replace, '\\', 0, cp);
    // A Replace text without a backslash is what every match becomes.
    if (t == notFound)
        return std::string(replace);
    Expansion x(cp);
    std::size_t from = 0;
    for (; t != notFound && x.size() <= stopAfter; t = findChar(replace, '\\', from, cp)) {
        x.put(replace.substr(from, t - from));
        const char next = t + 1 < replace.size() ? replace[t + 1] : '\0';
        from = t + 2;
        if (next >= '0' && next <= '9') {
            const auto d = static_cast<std::size_t>(next - '0');
            if (d < captures.size())
                x.put(captures[d]);
        } else if (std::size_t e = escapeKeys.find(next); e != std::string_view::npos) {
            x.put(escapeBytes.substr(e, 1));
        } else if (next == '#') {
            while (from < replace.size() && replace[from] == '#')
                ++from;
            x.put(padded(number, from - t - 1));
        } else if (next == 'U' || next == 'L') {
            x.openSpan(next == 'U' ? LetterCase::upper : LetterCase::lower);
        } else if (next == 'E') {
            x.closeSpan();
        } else if (next == 'u' || next == 'l') {
            x.caseOfNext(next == 'u' ? LetterCase::upper : LetterCase::lower);
        } else {
            // The backslash stays, and the walk goes on with the character behind it.
            x.put(replace.substr(t, 1));
            from = t + 1;
        }
    }
    if (x.size() <= stopAfter && from < replace.size())
        x.put(replace.substr(from));
    return x.take();
}
