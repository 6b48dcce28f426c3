#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// A tiny backtracking matcher over pattern trees, the yardstick the library is checked against:
// it tries the alternatives of every choice and repetition in priority order, as Perl does, and
// takes the first way through. An iteration of a repetition that matches the empty string ends
// the repetition. Texts are Shift-JIS (code page 932).
namespace reference {

struct Pattern {
    enum class Kind {
        character,
        any,
        set,
        textStart,
        textEnd,
        sequence,
        choice,
        star,
        plus,
        optional
    };

    Kind kind = Kind::sequence;
    bool greedy = true;
    std::uint32_t value = 0;                                     // character
    std::vector<std::pair<std::uint32_t, std::uint32_t>> ranges; // set
    bool negated = false;                                        // set
    std::vector<Pattern> children;
};

struct Outcome {
    bool found = false;
    int position = 0;
    int length = 0;
    bool gaveUp = false; // the search took more steps than the budget allows
};

// The pattern in the library's syntax, double-byte characters as raw Shift-JIS bytes.
std::string render(const Pattern& pattern);

// The first match at or after the first character boundary at or after startOffset.
Outcome search(const Pattern& pattern, const std::string& text, int startOffset,
               long stepBudget = 2000000);

} // namespace reference
