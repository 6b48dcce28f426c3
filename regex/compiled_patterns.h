#pragma once

#include "regex_handle.h"
#include "regex_matcher.h"

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>

// The regex library for kibrel-cli: each distinct pattern is compiled once and its record kept
// for every later match of the run (the first match's pattern and one for each region
// boundary, whatever the number of names). A pattern the library refused is refused again
// without asking, so that every failing call still shows its message, as in the window. At
// most `keptPatterns` records are kept; beyond that all are let go at once. Tested
// by regex_tests, and against HandlePerMatch by the rename-safety test through kibrel-cli.
class CompiledPatterns : public RegexMatcher {
  public:
    static constexpr std::size_t keptPatterns = 64;

    MatchResult match(const std::string& pattern, const std::string& text) override;

  private:
    // A pattern's record, or, when the library refused the pattern, none and why.
    struct Compiled {
        std::unique_ptr<RegexHandle> handle;
        std::string refusal;
    };
    // The pattern's record, compiled at its first match; nullptr when the library cannot be
    // used.
    Compiled* compiledFor(const std::string& pattern);

    std::unordered_map<std::string, Compiled> compiled_;
    // The patterns asked for last, the latest first: a name's first match and the trials of its
    // region boundaries take turns, and each comes again for the next name.
    static constexpr std::size_t recentPatterns = 4;
    struct Recent {
        const std::string* pattern; // the key in compiled_
        Compiled* compiled;
    };
    std::array<Recent, recentPatterns> recent_{};
    std::size_t recentCount_ = 0;
};
