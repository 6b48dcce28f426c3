#pragma once

#include "code_page.h"

#include <string>
#include <string_view>

// A PATH as one row shows it: the folder with its trailing separator (empty when the path
// holds none) and the rest, the name.
struct PathRow {
    std::string folder;
    std::string name;
};

// The characters that separate folders in a path: '/' natively; '\' and '/' on Windows.
#ifdef _WIN32
constexpr std::string_view pathSeparators = "\\/";
#else
constexpr std::string_view pathSeparators = "/";
#endif

// Splits at the last separator, found by characters of the code page, so that the second byte
// of a double-byte character is never taken for one.
PathRow splitPathRow(std::string_view path, std::string_view separators, const CodePage& cp);
