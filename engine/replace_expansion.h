#pragma once

#include "code_page.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The Replace text with its back references and escapes expanded: "\0" is entry 0 of captures
// (the whole match), "\1" to "\9" the regions (nothing when there is no such entry), "\\",
// "\b", "\f", "\n", "\r", "\t" and "\v" single characters; "\#" is number, and each "#"
// right behind it one more digit of zero padding ("\###" gives 007 for 7, and 1234 as it is);
// "\U" and "\L" put what is inserted behind them, back references and plain text alike, in
// upper or lower case up to "\E" or the end, and "\u" and "\l" the next character inserted,
// whatever "\U" or "\L" say ("\E" with nothing open and "\u" at the end insert nothing). Every
// other pair, and a trailing backslash, stays as it is. Inserted text is never searched for
// escapes. The time grows with the length of the result. Once the result is longer than
// stopAfter bytes the expansion stops, and the text so far, longer than that, is the result.
std::string expandReplacement(std::string_view replace,
                              const std::vector<std::string_view>& captures, const CodePage& cp,
                              std::uint64_t number, std::size_t stopAfter = std::string::npos);
