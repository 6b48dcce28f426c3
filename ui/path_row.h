#pragma once

#include "code_page.h"

#include <string>
#include <string_view>

// A path as one row of the file list shows it: the folder with its trailing backslash (empty
// when the path holds none) and the rest, the name.
struct PathParts {
    std::string folder;
    std::string name;
};

// Splits at the last backslash, found by characters of the code page, so that a byte 0x5C that
// is the second byte of a double-byte character is never taken for a separator. A forward
// slash is not a separator.
PathParts splitPath(std::string_view path, const CodePage& cp);
