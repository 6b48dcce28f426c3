#pragma once

#include <string>
#include <string_view>

// A text written into the program in UTF-8, as bytes of the process's ANSI code page; empty
// when it cannot be converted.
std::string ansiFromUtf8(std::string_view utf8);
