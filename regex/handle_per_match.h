#pragma once

#include "regex_handle.h"
#include "regex_matcher.h"

#include <optional>

// The regex library for the engine as the window uses it: every match constructs, opens,
// compiles, matches and destroys a RegexHandle of its own, so nothing carries over from one
// match to the next. From the first row of a test pass to its last, one more RegexHandle holds
// the library, so that the matches between neither load nor free it; after the pass it is
// unloaded again. Tested by regex_tests and, with the real library, engine_tests.
class HandlePerMatch : public RegexMatcher {
  public:
    MatchResult match(const std::string& pattern, const std::string& text) override;
    void rowsBegin() override;
    void rowsEnd() override;

  private:
    std::optional<RegexHandle> rowsHold_;
};
