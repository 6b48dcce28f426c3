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

// The marked pattern as one group that must match the whole of a trial text, from its first
// byte to its last. A pattern that cuts through a group keeps a closing parenthesis too many
// inside the wrapping, so what the library refuses without it, it refuses with it.
std::string wholeTextPattern(const std::string& markedPattern) {
    return "^(" + markedPattern + ")$";
}

} // namespace

// The smallest character offset j >= 1 of text at which the marked pattern matches the whole of
// text with the AlignMark inserted at j; 0 when no such offset exists (the piece of pattern in
// front of the mark then matched nothing); nullopt when the library failed (its message has
// been shown). Offsets inside a double-byte character are not tried: a boundary there would cut
// the character in two.
std::optional<std::size_t> RenameEngine::boundaryOffset(const std::string& markedPattern,
                                                        std::string_view text) {
    const std::string whole = wholeTextPattern(markedPattern);
    for (std::size_t j = 0; j < text.size();) {
        j += codePage_.charLength(text, j);
        const std::string trial = withMark(text, static_cast<long>(j));
        if (runMatch(trial, whole) == 0)
            return std::nullopt;
        if (lastMatchLen == static_cast<int>(trial.size()))
            return j;
    }
    return 0;
}

// Finds where every region lies in the matched text, the library telling only where a whole
// match lies: the AlignMark goes into the pattern at the region's boundary and into the text at
// trial offsets, and the first offset at which the pattern matches the whole text is the
// boundary. So the pieces of pattern before and behind every boundary cover the matched text
// exactly, each piece taking the fewest bytes, and no region lies outside the match. cum is the
// offset in the matched text up to which regions have been placed. With the close of the region
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

        // The pattern bytes between the previous region and this one.
        const long gap = open - previousClose - 1;
        if (gap != 0) {
            std::string_view behind = lastBytes(barePattern, bareLength + twoK - previousClose - 1);
            std::optional<std::size_t> j =
                boundaryOffset(withMark(behind, gap), lastBytes(matchedText, matchLength - cum));
            if (!j)
                return false;
            cum += static_cast<long>(*j);
        }
        const long start = cum;

        // The region's own pattern, with the rest of the pattern behind it.
        const long inner = close - open - 1;
        std::string_view own = lastBytes(barePattern, bareLength + twoK - open);
        if (inner != 0 && inner == static_cast<long>(own.size())) {
            cum = matchLength;
        } else if (inner != 0) {
            std::optional<std::size_t> j =
                boundaryOffset(withMark(own, inner), lastBytes(matchedText, matchLength - start));
            if (!j)
                return false;
            cum += static_cast<long>(*j);
        }
        captureList.push_back(matchedText.substr(static_cast<std::size_t>(start),
                                                 static_cast<std::size_t>(cum - start)));
        previousClose = close;
    }
    return true;
}
