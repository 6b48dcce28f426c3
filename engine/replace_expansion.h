#pragma once

#include "code_page.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The Replace text with its back references and character escapes expanded: "\0" is entry 0
// of captures (the whole match), "\1" to "\9" the regions (nothing when there is no such
// entry), "\\", "\b", "\f", "\n", "\r", "\t" and "\v" single characters; every other pair,
// and a trailing backslash, stays as it is. Inserted text is never searched for escapes. The
// time grows with the length of the result. Once the result is longer than stopAfter bytes the
// expansion stops, and the text so far, longer than that, is the result.
std::string expandReplacement(std::string replace, const std::vector<std::string_view>& captures,
                              const CodePage& cp, std::size_t stopAfter = std::string::npos);
