#include "compiled_patterns.h"

#include <algorithm>

CompiledPatterns::Compiled* CompiledPatterns::compiledFor(const std::string& pattern) {
    if (recentCount_ > 0 && *recent_[0].pattern == pattern)
        return recent_[0].compiled;
    for (std::size_t k = 1; k < recentCount_; ++k)
        if (*recent_[k].pattern == pattern) {
            const Recent hit = recent_[k];
            std::move_backward(recent_.begin(), recent_.begin() + static_cast<long>(k),
                               recent_.begin() + static_cast<long>(k) + 1);
            recent_[0] = hit;
            return hit.compiled;
        }
    auto found = compiled_.find(pattern);
    if (found == compiled_.end()) {
        auto handle = std::make_unique<RegexHandle>();
        // A library that cannot be opened is asked again by the next call, as in the window.
        if (handle->open() == 0)
            return nullptr;
        std::string refusal;
        if (handle->compile(pattern) == 0) {
            refusal = handle->libraryMessage();
            handle.reset();
        }
        if (compiled_.size() >= keptPatterns) {
            compiled_.clear();
            recentCount_ = 0;
        }
        found = compiled_.emplace(pattern, Compiled{std::move(handle), refusal}).first;
    }
    // The entries of an unordered_map stay where they are until they are erased.
    recentCount_ = std::min(recentCount_ + 1, recentPatterns);
    std::move_backward(recent_.begin(), recent_.begin() + static_cast<long>(recentCount_ - 1),
                       recent_.begin() + static_cast<long>(recentCount_));
    recent_[0] = {&found->first, &found->second};
    return &found->second;
}

MatchResult CompiledPatterns::match(const std::string& pattern, const std::string& text) {
    Compiled* compiled = compiledFor(pattern);
    if (compiled == nullptr)
        return {MatchResult::Kind::libraryUnusable};
    RegexHandle* handle = compiled->handle.get();
    if (handle == nullptr)
        return {MatchResult::Kind::patternRefused, 0, 0, compiled->refusal};
    const bool matched = handle->findMatch(text, 0) != nullptr;
    // An empty text is not handed to the library, and must not read the last text's match.
    if (text.empty())
        return {MatchResult::Kind::noMatch};
    return {matched ? MatchResult::Kind::matched : MatchResult::Kind::noMatch,
            handle->matchPosition(), handle->matchLength()};
}
