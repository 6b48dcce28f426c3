#pragma once

#include <functional>
#include <string_view>

// Whether a path names a file or folder on disk now: what the forecast and the ordering of
// renames ask of the file system.
// Implemented by PathsOnDisk::exists (cli/platform.h), the window's forecast (GetFileAttributesA
// in ui/main_dialog_pass.cpp) and sets of paths in tests; held by e2e_pass_tests,
// engine_tests (plan_test.cpp) and cli_e2e_tests (scripts_test.cpp).
using PathExists = std::function<bool(std::string_view)>;
