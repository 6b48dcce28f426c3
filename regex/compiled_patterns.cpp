#include "compiled_patterns.h"

MatchResult CompiledPatterns::match(const std::string& pattern, const std::string& text) {
    auto found = compiled_.find(pattern);
    if (found == compiled_.end()) {
        auto handle = std::make_unique<RegexHandle>();
        // A library that cannot be opened is asked again by the next call, as in the window.
        if (handle->open() == 0)
            return {MatchResult::Kind::libraryUnusable};
        std::string refusal;
        if (handle->compile(pattern) == 0) {
            refusal = handle->libraryMessage();
            handle.reset();
        }
        if (compiled_.size() >= keptPatterns)
            compiled_.clear();
        found = compiled_.emplace(pattern, Compiled{std::move(handle), refusal}).first;
    }
    RegexHandle* handle = found->second.handle.get();
    if (handle == nullptr)
        return {MatchResult::Kind::patternRefused, 0, 0, found->second.refusal};
    const bool matched = handle->findMatch(text, 0) != nullptr;
    // An empty text is not handed to the library, and must not read the last text's match.
    if (text.empty())
        return {MatchResult::Kind::noMatch};
    return {matched ? MatchResult::Kind::matched : MatchResult::Kind::noMatch,
            handle->matchPosition(), handle->matchLength()};
}
