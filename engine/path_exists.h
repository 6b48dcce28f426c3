#pragma once

#include <functional>
#include <string>

// Whether a path names a file or folder on disk now: what the forecast and the ordering of
// renames ask of the file system.
// Implemented by PathsOnDisk::exists (cli/platform.h) and sets of paths in tests; held by
// engine_tests (plan_test.cpp) and cli_e2e_tests (scripts_test.cpp).
using PathExists = std::function<bool(const std::string&)>;
