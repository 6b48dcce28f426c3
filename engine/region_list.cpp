#include "rename_engine.h"
#include "text_walk.h"

#include <cstddef>

int findMarker(std::string_view text, char marker, int start, const CodePage& cp) {
    if (start < 0 || static_cast<std::size_t>(start) >= text.size())
        return -1;
    std::size_t p = findChar(text, marker, static_cast<std::size_t>(start), cp);
    // Only the one byte before the marker is looked at: a marker behind a byte of the lead-byte
    // ranges is passed over, whatever that byte is part of.
    while (p != notFound && p > 0 && cp.isLeadByte(static_cast<unsigned char>(text[p - 1])))
        p = findChar(text, marker, p + 1, cp);
    return p == notFound ? -1 : static_cast<int>(p);
}

bool regionsFit(const RegionList& regions, std::size_t textSize) {
    long previous = -1;
    for (const auto& [open, close] : regions) {
        if (open <= previous || close <= open)
            return false;
        previous = close;
    }
    return previous < static_cast<long>(textSize);
}

namespace {

std::size_t countMarkers(std::string_view text, const CodePage& cp) {
    const char markers[] = {MarkerOpen, MarkerClose};
    std::string_view set(markers, sizeof markers);
    std::size_t count = 0;
    for (std::size_t i = findAnyChar(text, set, 0, cp); i != notFound;
         i = findAnyChar(text, set, i + 1, cp))
        ++count;
    return count;
}

} // namespace

// The markers must alternate strictly, open, close, open, close; an empty region is allowed.
// A marker that findMarker passes over (behind a lead byte) would reach the library as a
// control character that no name holds, so a pattern that keeps one is refused as well.
int RenameEngine::buildRegionList() {
    RegionList().swap(regionList);
    int openFrom = 0;
    int closeFrom = 0;
    int lastClose = 0;
    for (;;) {
        int o = findMarker(searchText, MarkerOpen, openFrom, codePage_);
        int c = findMarker(searchText, MarkerClose, closeFrom, codePage_);
        if (o == -1)
            return c == -1 && countMarkers(searchText, codePage_) == 2 * regionList.size() ? 1 : 0;
        if (c == -1 || o > c || o < lastClose)
            return 0;
        regionList.emplace_back(o, c);
        lastClose = c;
        openFrom = o + 1;
        closeFrom = c + 1;
    }
}
