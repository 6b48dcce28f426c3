#pragma once

#include <string>

// What one match of the regex library gave.
struct MatchResult {
    enum class Kind {
        matched,         // the first match lies at position and is length bytes long
        noMatch,         // nothing matched; position and length read 0
        libraryUnusable, // the library cannot be loaded, lacks an entry point, or cannot open
        patternRefused,  // the library refused the pattern
    };
    Kind kind;
    int position = 0;
    int length = 0;
    // For a refused pattern, the library's own description of why, where the matcher asks for
    // it ("unbalanced parenthesis at byte 3"); empty otherwise.
    std::string refusal = {};
};

// One match of the regex library: the pattern compiled and its first match searched from the
// first byte of the text, both byte strings of the code page the library reads. An empty
// pattern is refused and an empty text matches nothing, without asking the library.
// Implemented by HandlePerMatch (regex/: a RegexHandle of its own for every match, as the
// window matches) and CompiledPatterns (regex/: each pattern compiled once, for kibrel-cli);
// held by engine_tests (run_match_test.cpp, through HandlePerMatch and the real library) and
// regex_tests (regex_handle_test.cpp: the two answer every match alike).
class RegexMatcher {
  public:
    virtual ~RegexMatcher() = default;

    virtual MatchResult match(const std::string& pattern, const std::string& text) = 0;

    // The rows of a test pass begin, and with them many matches, until rowsEnd. A matcher may
    // keep the library ready in between; every match still reports as if it stood alone.
    virtual void rowsBegin() {}
    virtual void rowsEnd() {}
};
