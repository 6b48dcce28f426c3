#pragma once

#include "code_page.h"

#include <string_view>
#include <utility>
#include <vector>

// The (open, close) positions of the markers of every region in the prepared pattern, in
// pattern order; regions never nest: open(0) < close(0) < open(1) < close(1) < ...
using RegionList = std::vector<std::pair<int, int>>;

// The position of the first marker byte at or after start that stands on a character boundary
// and does not follow a lead byte of the code page, or -1.
int findMarker(std::string_view text, char marker, int start, const CodePage& cp);

// True when every region of regions lies in a text of the given size, in strictly rising order.
bool regionsFit(const RegionList& regions, std::size_t textSize);
