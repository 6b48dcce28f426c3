#include "handle_per_match.h"

// The record's fields are read whether or not a match was found: the library leaves a length
// of 0 when nothing matched, and an empty text leaves the 0 of the open.
MatchResult HandlePerMatch::match(const std::string& pattern, const std::string& text) {
    RegexHandle handle;
    if (handle.open() == 0)
        return {MatchResult::Kind::libraryUnusable};
    if (handle.compile(pattern) == 0)
        return {MatchResult::Kind::patternRefused};
    const bool found = handle.findMatch(text, 0) != nullptr;
    return {found ? MatchResult::Kind::matched : MatchResult::Kind::noMatch, handle.matchPosition(),
            handle.matchLength()};
}

// A hold that cannot open changes nothing: every match then opens, and fails, on its own.
void HandlePerMatch::rowsBegin() {
    rowsHold_.emplace();
    rowsHold_->open();
}

void HandlePerMatch::rowsEnd() {
    rowsHold_.reset();
}
