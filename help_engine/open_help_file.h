#pragma once

#include "help_file.h"

#include <memory>
#include <string>

namespace help_engine {

// A help file beyond this size is not read.
constexpr unsigned long long maxHelpFileBytes = 64ull << 20;

// The help file at `path` (an ANSI path), shared by every pop-up and the help window of the
// process: read into memory (and closed again) the first time, and again whenever its size or
// last-write time on disk has changed since; null when it cannot be read, is larger than
// maxHelpFileBytes or is no compiled help file.
std::shared_ptr<HelpFile> openHelpFile(const std::string& path);

} // namespace help_engine
