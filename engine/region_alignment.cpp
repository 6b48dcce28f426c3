#include "rename_engine.h"

#include <algorithm>
#include <cstddef>

namespace {

// The last count bytes of text: none when count is not positive, all when it exceeds the size.
std::string_view lastBytes(std::string_view text, long count) {
    if (count <= 0)
        return {};
    auto n = std::min(static_cast<std::size_t>(count), text.size());
    return text.substr(text.size() - n);
}

// A copy of text with the AlignMark inserted at offset at (at the end when at lies beyond it).
std::string withMark(std::string_view text, long at) {
    std::string marked(text);
    marked.insert(std::min(static_cast<std::size_t>(std::max(at, 0L)), marked.size()), 1,
                  AlignMark);
    return marked;
}

} // namespace

// Tries the AlignMark at the offsets 1, 2, ... up to the end of text and gives the offset at
// which the trials stopped: the first at which the marked pattern matches the marked text, the
// size of text + 1 when none does (1 when none is made), or 0 when the library failed. Offsets
// inside a double-byte character are not tried: a boundary there would cut the character in
// two, and the halves would reach the new name as bytes that mean something else.
std::size_t RenameEngine::firstMarkedMatch(const std::string& markedPattern,
                                           std::string_view text) {
    std::size_t nextBoundary = text.empty() ? 0 : codePage_.charLength(text, 0);
    std::size_t j = 1;
    for (; j <= text.size(); ++j) {
        if (j < nextBoundary)
            continue;
        if (j < text.size())
            nextBoundary = j + codePage_.charLength(text, j);
        if (runMatch(withMark(text, static_cast<long>(j)), markedPattern, 0) == 0)
            return 0;
        if (lastMatchLen != 0)
            return j;
    }
    return j;
}

// Finds where every region lies in the matched text, the library telling only where a whole
// match lies: the AlignMark goes into the pattern at the region's boundary and into the text at
// trial offsets, and the first offset at which they match is the boundary. cum is the offset
// in the matched text up to which regions have been placed. With the close of the region
// before the first taken as -1, the first region's start needs no case of its own: its gap is
// its open position, its pattern the whole bare pattern, its text the whole matched text.
bool RenameEngine::alignRegions(const std::string& barePattern, const std::string& matchedText,
                                std::vector<std::string>& captureList) {
    const auto bareLength = static_cast<long>(barePattern.size());
    const auto matchLength = static_cast<long>(matchedText.size());
    long cum = 0;
    long previousClose = -1;
    for (std::size_t k = 0; k < regionList.size(); ++k) {
        const long open = regionList[k].first;
        const long close = regionList[k].second;
        const auto twoK = static_cast<long>(2 * k);

        // The pattern bytes between the previous region and this one cover at least one byte.
        const long gap = open - previousClose - 1;
        if (gap != 0) {
            std::string_view behind = lastBytes(barePattern, bareLength + twoK - previousClose - 1);
            std::size_t j =
                firstMarkedMatch(withMark(behind, gap), lastBytes(matchedText, matchLength - cum));
            if (j == 0)
                return false;
            cum += static_cast<long>(j);
        }
        const long start = cum;

        // The region's own pattern takes the fewest bytes that let the rest match behind it.
        const long inner = close - open - 1;
        std::string_view own = lastBytes(barePattern, bareLength + twoK - open);
        if (inner != 0 && inner == static_cast<long>(own.size())) {
            cum = matchLength;
        } else if (inner != 0) {
            std::size_t j =
                firstMarkedMatch(withMark(own, inner), lastBytes(matchedText, matchLength - start));
            if (j == 0)
                return false;
            cum += static_cast<long>(j);
        }
        const long end = cum;

        if (start < matchLength && end > start)
            captureList.push_back(
                matchedText.substr(static_cast<std::size_t>(start),
                                   static_cast<std::size_t>(std::min(end, matchLength) - start)));
        else
            captureList.emplace_back();
        previousClose = close;
    }
    return true;
}
