#pragma once

#include <string>
#include <string_view>

namespace e2e {

// A text written into a test in UTF-8, as the code page 932 bytes the program shows.
std::string ansi(std::string_view utf8);

// A text written into a test in UTF-8, as the platform's wide characters: for names that code
// page 932 cannot hold.
std::wstring wide(std::string_view utf8);

} // namespace e2e
