#pragma once

#include "code_page.h"

#include <cstddef>
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

// The length of a path's folder, its last separator (any byte of separators) included, found
// by characters of the code page, so that the second byte of a double-byte character is never
// taken for one; 0 when the path holds none.
std::size_t folderLength(std::string_view path, std::string_view separators, const CodePage& cp);

// Splits a path at its last separator (any byte of separators), found by characters of the code
// page, so that the second byte of a double-byte character is never taken for one.
PathParts splitPath(std::string_view path, std::string_view separators, const CodePage& cp);
