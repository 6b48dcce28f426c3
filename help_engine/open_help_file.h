#pragma once

#include "help_file.h"

#include <optional>
#include <string>

namespace help_engine {

// A help file beyond this size is not read.
constexpr unsigned long long maxHelpFileBytes = 64ull << 20;

// Reads the help file at `path` (an ANSI path) into memory and closes it again: nothing when it
// cannot be read, is larger than maxHelpFileBytes or is no compiled help file.
std::optional<HelpFile> openHelpFile(const std::string& path);

} // namespace help_engine
