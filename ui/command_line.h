#pragma once

#include "code_page.h"

#include <string>
#include <string_view>
#include <vector>

// The file paths named on a process's command line, in order, after the program's own path.
// Arguments are separated by spaces; a path with spaces stands in double quotes, and a closing
// quote ends its argument even when the next one follows without a space. A run of several
// spaces separates like one, and a double quote without a partner takes the rest of the line.
// An empty argument ("" or a lone quote at the end) names no file and is left out.
// Quotes and spaces are found by characters of the code page.
std::vector<std::string> commandLineArguments(std::string_view line, const CodePage& cp);
