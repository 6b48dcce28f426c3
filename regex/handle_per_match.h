#pragma once

#include "regex_matcher.h"

// The regex library for the engine as the window uses it: every match constructs, opens,
// compiles, matches and destroys a RegexHandle of its own, so nothing carries over from one
// match to the next. Tested by regex_tests and, with the real library, engine_tests.
class HandlePerMatch : public RegexMatcher {
  public:
    MatchResult match(const std::string& pattern, const std::string& text) override;
};
