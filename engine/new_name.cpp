#include "rename_engine.h"
#include "replace_expansion.h"
#include "text_walk.h"

#include <cstddef>

namespace {

// The characters that file names cannot hold.
constexpr std::string_view forbiddenCharacters = "\\/:*?\"<>|";

// The prepared pattern without its region markers: what the library compiles.
std::string barePatternOf(std::string pattern, const RegionList& regions) {
    for (auto k = regions.rbegin(); k != regions.rend(); ++k) {
        pattern.erase(static_cast<std::size_t>(k->second), 1);
        pattern.erase(static_cast<std::size_t>(k->first), 1);
    }
    return pattern;
}

} // namespace

bool RenameEngine::refusedForForbiddenCharacter(std::string_view name) {
    if (findAnyChar(name, forbiddenCharacters, 0, codePage_) == notFound)
        return false;
    messages_.showMessage(messages_.text(SystemText::ForbiddenCharacter), MessageType::ok);
    return true;
}

std::string RenameEngine::computeNewName(std::string name) {
    if (!regionsFit(regionList, searchText.size()))
        return std::string(NoMatchResult);
    const std::string barePattern = barePatternOf(searchText, regionList);
    if (runMatch(name, barePattern, 0) == 0 || lastMatchLen == 0)
        return std::string(NoMatchResult);
    const int pos = lastMatchPos;
    const int len = lastMatchLen;
    // A match the library reports outside the name is taken for none.
    if (pos < 0 || len < 0 ||
        static_cast<std::size_t>(pos) + static_cast<std::size_t>(len) > name.size())
        return std::string(NoMatchResult);
    const std::string matchedText =
        name.substr(static_cast<std::size_t>(pos), static_cast<std::size_t>(len));

    std::vector<std::string> captureList{matchedText};
    if (!alignRegions(barePattern, matchedText, captureList))
        return std::string(NoMatchResult);

    const std::string x = expandReplacement(replaceText, captureList, codePage_);
    name.replace(static_cast<std::size_t>(pos), static_cast<std::size_t>(len), x);
    if (refusedForForbiddenCharacter(name))
        return {};
    lastMatchPos = pos;
    lastMatchLen = static_cast<int>(x.size());
    return name;
}
