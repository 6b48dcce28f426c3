#pragma once

#include <string>
#include <string_view>

namespace e2e {

// A text written into a test in UTF-8, as the code page 932 bytes the program shows.
std::string ansi(std::string_view utf8);

} // namespace e2e
