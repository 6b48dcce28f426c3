#include "rename_engine.h"

// A failure shows its message for this call; the next call asks the library anew.
int RenameEngine::runMatch(const std::string& text, const std::string& pattern) {
    ++regexUses_;
    const MatchResult result = matcher_.match(pattern, text);
    switch (result.kind) {
    case MatchResult::Kind::libraryUnusable:
        messages_.showMessage(messages_.text(SystemText::LibraryUnusable), MessageType::ok);
        return 0;
    case MatchResult::Kind::patternRefused:
        messages_.patternRefused(pattern, result.refusal);
        return 0;
    case MatchResult::Kind::matched:
    case MatchResult::Kind::noMatch:
        break;
    }
    lastMatchLen = result.length;
    lastMatchPos = result.position;
    return 1;
}
