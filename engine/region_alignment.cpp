#include "rename_engine.h"
#include "text_walk.h"

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

// The pattern with the AlignMark inserted at offset at, as one group that must match the whole
// of a trial text, from its first byte to its last. A pattern that cuts through a group keeps a
// closing parenthesis too many inside the wrapping, so what the library refuses without it, it
// refuses with it.
std::string wholeTextPattern(std::string_view pattern, long at) {
    std::string marked(pattern);
    marked.insert(std::min(static_cast<std::size_t>(std::max(at, 0L)), marked.size()), 1,
                  AlignMark);
    return "^(" + marked + ")$";
}

// The characters the library's syntax gives a meaning of its own outside a bracket expression.
constexpr std::string_view syntaxCharacters = "\\.[]()|*+?^$";
constexpr std::string_view repetitions = "*+?";

// The end of the bracket expression that opens at `at`, behind its "]"; notFound when the text
// ends first. A "]" right after "[" or "[^" is a member, and a backslash takes the character
// behind it.
std::size_t bracketEnd(std::string_view text, std::size_t at, const CodePage& cp) {
    std::size_t i = at + 1;
    if (i < text.size() && text[i] == '^')
        ++i;
    for (bool first = true; i < text.size(); first = false) {
        if (!first && text[i] == ']')
            return i + 1;
        if (text[i] == '\\' && ++i == text.size())
            return notFound;
        i += cp.charLength(text, i);
    }
    return notFound;
}

// How many characters of text lie in front of the AlignMark in every trial the whole-text
// pattern of piece (the mark at `at`) can match, or 0 when that is not known. It is known when
// the pattern is one sequence (no "|", no parentheses) whose first items, up to the mark, each
// match exactly one character and are not repeated: a literal, ".", a bracket expression or an
// escape (\xHH aside). The mark, a literal, must then match the one form feed of a trial text,
// so only the trial with that many characters in front of its mark can match.
std::size_t charactersBeforeMark(std::string_view piece, long at, const CodePage& cp) {
    const auto mark = static_cast<std::size_t>(at);
    if (mark == 0 || mark > piece.size() || piece.find_first_of("|()") != std::string_view::npos)
        return 0;
    if (mark < piece.size() && repetitions.find(piece[mark]) != std::string_view::npos)
        return 0;
    std::size_t count = 0;
    for (std::size_t i = 0; i < mark; ++count) {
        const char c = piece[i];
        if (c == '[') {
            i = bracketEnd(piece.substr(0, mark), i, cp);
            if (i == notFound)
                return 0;
        } else if (c == '\\') {
            if (i + 1 >= mark || piece[i + 1] == 'x')
                return 0;
            i += 1 + cp.charLength(piece, i + 1);
        } else if (c == '.' || syntaxCharacters.find(c) == std::string_view::npos) {
            i += cp.charLength(piece, i);
        } else {
            return 0;
        }
        if (i > mark || (i < mark && repetitions.find(piece[i]) != std::string_view::npos))
            return 0;
    }
    return count;
}

// The prepared pattern without its region markers: what the library compiles.
std::string barePatternOf(std::string pattern, const RegionList& regions) {
    for (auto k = regions.rbegin(); k != regions.rend(); ++k) {
        pattern.erase(static_cast<std::size_t>(k->second), 1);
        pattern.erase(static_cast<std::size_t>(k->first), 1);
    }
    return pattern;
}

} // namespace

// With the close of the region before the first taken as -1, the first region's start needs no
// case of its own: its gap is its open position, its pattern the whole bare pattern.
const RenameEngine::SearchPatterns& RenameEngine::searchPatterns() {
    if (patterns_ && patterns_->searchText == searchText && patterns_->regions == regionList)
        return *patterns_;
    SearchPatterns made{searchText, regionList, barePatternOf(searchText, regionList), {}};
    const auto bareLength = static_cast<long>(made.bare.size());
    long previousClose = -1;
    for (std::size_t k = 0; k < regionList.size(); ++k) {
        const long open = regionList[k].first;
        const long close = regionList[k].second;
        const auto twoK = static_cast<long>(2 * k);
        RegionTrials trials{};
        trials.gap = open - previousClose - 1;
        if (trials.gap != 0) {
            const std::string_view behind =
                lastBytes(made.bare, bareLength + twoK - previousClose - 1);
            trials.startPattern = wholeTextPattern(behind, trials.gap);
            trials.startWidth = charactersBeforeMark(behind, trials.gap, codePage_);
        }
        trials.inner = close - open - 1;
        const std::string_view own = lastBytes(made.bare, bareLength + twoK - open);
        trials.closesPattern = trials.inner == static_cast<long>(own.size());
        if (trials.inner != 0 && !trials.closesPattern) {
            trials.endPattern = wholeTextPattern(own, trials.inner);
            trials.endWidth = charactersBeforeMark(own, trials.inner, codePage_);
        }
        made.trials.push_back(std::move(trials));
        previousClose = close;
    }
    patterns_ = std::move(made);
    return *patterns_;
}

// The smallest character offset j >= 1 of text at which the whole-text pattern matches text
// with the AlignMark inserted at j; 0 when no such offset exists (the piece of pattern in front
// of the mark then matched nothing); nullopt when the library failed (its message has been
// shown). Offsets inside a double-byte character are not tried: a boundary there would cut the
// character in two. When the pattern admits only the offset behind its first `width`
// characters (not 0), and the text holds no form feed of its own that the pattern's mark could
// match instead, that offset is the one trial.
std::optional<std::size_t> RenameEngine::boundaryOffset(const std::string& wholePattern,
                                                        std::size_t width, std::string_view text) {
    // One trial: whether the pattern matches the text marked at j whole; nullopt when the
    // library failed.
    auto matchesAt = [&](std::size_t j) -> std::optional<bool> {
        trial_.assign(text.substr(0, j));
        trial_ += AlignMark;
        trial_.append(text.substr(j));
        if (runMatch(trial_, wholePattern) == 0)
            return std::nullopt;
        return lastMatchLen == static_cast<int>(trial_.size());
    };
    if (width != 0 && text.find(AlignMark) == std::string_view::npos) {
        std::size_t j = 0;
        for (std::size_t k = 0; k < width; ++k) {
            if (j == text.size())
                return 0;
            j += codePage_.charLength(text, j);
        }
        const std::optional<bool> matched = matchesAt(j);
        if (!matched)
            return std::nullopt;
        return *matched ? j : 0;
    }
    for (std::size_t j = 0; j < text.size();) {
        j += codePage_.charLength(text, j);
        const std::optional<bool> matched = matchesAt(j);
        if (!matched)
            return std::nullopt;
        if (*matched)
            return j;
    }
    return 0;
}

// Finds where every region lies in the matched text, the library telling only where a whole
// match lies: the AlignMark goes into the pattern at the region's boundary and into the text at
// trial offsets, and the first offset at which the pattern matches the whole text is the
// boundary. So the pieces of pattern before and behind every boundary cover the matched text
// exactly, each piece taking the fewest bytes, and no region lies outside the match. cum is the
// offset in the matched text up to which regions have been placed.
bool RenameEngine::alignRegions(const std::vector<RegionTrials>& trials,
                                std::string_view matchedText,
                                std::vector<std::string_view>& captureList) {
    const auto matchLength = static_cast<long>(matchedText.size());
    long cum = 0;
    for (const RegionTrials& region : trials) {
        if (region.gap != 0) {
            std::optional<std::size_t> j = boundaryOffset(
                region.startPattern, region.startWidth, lastBytes(matchedText, matchLength - cum));
            if (!j)
                return false;
            cum += static_cast<long>(*j);
        }
        const long start = cum;
        if (region.inner != 0 && region.closesPattern) {
            cum = matchLength;
        } else if (region.inner != 0) {
            std::optional<std::size_t> j = boundaryOffset(
                region.endPattern, region.endWidth, lastBytes(matchedText, matchLength - start));
            if (!j)
                return false;
            cum += static_cast<long>(*j);
        }
        captureList.push_back(matchedText.substr(static_cast<std::size_t>(start),
                                                 static_cast<std::size_t>(cum - start)));
    }
    return true;
}
