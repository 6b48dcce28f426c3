#include "rename_engine.h"
#include "replace_expansion.h"
#include "text_walk.h"

#include <cstddef>

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
    const SearchPatterns& patterns = searchPatterns();
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
