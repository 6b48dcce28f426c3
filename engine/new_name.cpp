#include "rename_engine.h"
#include "replace_expansion.h"
#include "text_walk.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace {

// No file system takes a name of more bytes than this (most take 255, the roomiest 3976): a
// replacement that grows beyond it is refused as too long whatever follows, so its expansion
// stops there.
constexpr std::size_t longestUsableName = 4096;

} // namespace

bool RenameEngine::refusedForForbiddenCharacter(std::string_view name) {
    if (findAnyChar(name, forbiddenCharacters, 0, codePage_) == notFound)
        return false;
    messages_.showMessage(messages_.text(SystemText::ForbiddenCharacter), MessageType::ok);
    return true;
}

// A step that replaces nothing gives the name back as it came.
NameStep RenameEngine::replaceFirstMatch(std::string name) {
    if (!regionsFit(regionList, searchText.size()))
        return {NameStep::Kind::noMatch, std::move(name)};
    return replaceFirstMatchBy(searchPatterns(), std::move(name));
}

NameStep RenameEngine::replaceFirstMatchBy(const SearchPatterns& patterns, std::string name) {
    if (runMatch(name, patterns.bare) == 0)
        return {NameStep::Kind::libraryFailed, std::move(name)};
    const int pos = lastMatchPos;
    const int len = lastMatchLen;
    // A match the library reports outside the name is taken for none.
    if (len <= 0 || pos < 0 ||
        static_cast<std::size_t>(pos) + static_cast<std::size_t>(len) > name.size())
        return {NameStep::Kind::noMatch, std::move(name)};
    // The captures are views of the name, which stays as it is until the expansion is made.
    const std::string_view matchedText =
        std::string_view(name).substr(static_cast<std::size_t>(pos), static_cast<std::size_t>(len));
    captures_.assign(1, matchedText);
    if (!alignRegions(patterns.trials, matchedText, captures_))
        return {NameStep::Kind::libraryFailed, std::move(name)};

    const std::string x =
        expandReplacement(replaceText, captures_, codePage_, rowNumber, longestUsableName);
    // A whole text turned into the single LF cannot be told from no match, and counts as one.
    if (pos == 0 && static_cast<std::size_t>(len) == name.size() && x == NoMatchResult)
        return {NameStep::Kind::noMatch, std::move(name)};
    name.replace(static_cast<std::size_t>(pos), static_cast<std::size_t>(len), x);
    if (refusedForForbiddenCharacter(name))
        return {NameStep::Kind::refused, {}};
    lastMatchPos = pos;
    lastMatchLen = static_cast<int>(x.size());
    return {NameStep::Kind::replaced, std::move(name)};
}

std::string RenameEngine::computeNewName(std::string name) {
    NameStep step = replaceFirstMatch(std::move(name));
    switch (step.kind) {
    case NameStep::Kind::replaced:
        return std::move(step.name);
    case NameStep::Kind::refused:
        return {};
    case NameStep::Kind::noMatch:
    case NameStep::Kind::libraryFailed:
        break;
    }
    return std::string(NoMatchResult);
}

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

// Each step searches what remains behind the last replacement as a text of its own, so a
// replacement is never searched again; every step takes at least the matched bytes out of the
// rest, so the loop ends.
RowName RenameEngine::replaceAllMatches(std::string currentName) {
    if (!regionsFit(regionList, searchText.size()))
        return {std::move(currentName), RowName::Kind::named, false};
    // The Search text stays as it is while one name is worked on.
    const SearchPatterns& patterns = searchPatterns();
    std::string rest = std::move(currentName);
    std::string acc;
    bool matched = false;
    while (true) {
        NameStep step = replaceFirstMatchBy(patterns, std::move(rest));
        switch (step.kind) {
        case NameStep::Kind::noMatch:
            if (acc.empty())
                return {std::move(step.name), RowName::Kind::named, matched};
            return {std::move(acc += step.name), RowName::Kind::named, matched};
        case NameStep::Kind::libraryFailed:
            return {std::move(acc += step.name), RowName::Kind::libraryFailed, matched};
        case NameStep::Kind::refused:
            return {{}, RowName::Kind::refused, true};
        case NameStep::Kind::replaced:
            matched = true;
            break;
        }
        std::string& piece = step.name;
        // The match took the whole remainder and nothing was put in its place.
        if (piece.empty())
            return {std::move(acc), RowName::Kind::named, true};
        // Each piece was checked as a text of its own; behind what was built, its first byte
        // may become the second byte of a double-byte character and a byte behind it, such as
        // 5C, a character of its own. So the whole name is checked as it now stands.
        if (!acc.empty()) {
            whole_.assign(acc);
            whole_ += piece;
            if (refusedForForbiddenCharacter(whole_))
                return {{}, RowName::Kind::refused, true};
        }
        auto cut = std::min(static_cast<std::size_t>(lastMatchPos + lastMatchLen), piece.size());
        acc.append(piece, 0, cut);
        if (cut == piece.size())
            return {std::move(acc), RowName::Kind::named, true};
        piece.erase(0, cut);
        rest = std::move(piece);
    }
}
