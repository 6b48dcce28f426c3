#pragma once

#include "code_page.h"

#include <string>
#include <string_view>
#include <vector>

// The Replace text with its back references and character escapes expanded: "\0" is entry 0
// of captures (the whole match), "\1" to "\9" the regions (nothing when there is no such
// entry), "\\", "\b", "\f", "\n", "\r", "\t" and "\v" single characters; every other pair,
// and a trailing backslash, stays as it is. Inserted text is never searched for escapes.
std::string expandReplacement(std::string replace, const std::vector<std::string_view>& captures,
                              const CodePage& cp);
