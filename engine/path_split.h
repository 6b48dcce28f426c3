#pragma once

#include "code_page.h"

#include <string>
#include <string_view>

// A path as one row of the file list shows it: the folder with its trailing separator (empty
// when the path holds none) and the rest, the name.
struct PathParts {
    std::string folder;
    std::string name;
};

// The separator of the window's paths: the backslash alone.
constexpr std::string_view windowSeparators = "\\";

// Splits a path at its last separator (any byte of separators), found by characters of the code
// page, so that the second byte of a double-byte character is never taken for one.
PathParts splitPath(std::string_view path, std::string_view separators, const CodePage& cp);
