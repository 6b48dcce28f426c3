#pragma once

#include <string>
#include <string_view>

// Texts between UTF-8, the code pages of the program and the terminal: iconv natively,
// MultiByteToWideChar and WideCharToMultiByte on Windows. Tested by platform_tests.

// A text written into the program in UTF-8, as bytes of the code page; a character that the
// code page lacks becomes "?".
std::string fromUtf8(std::string_view utf8, unsigned codePage);

// Bytes of the code page in the character set of the terminal, for standard error: natively
// the locale's character set, on Windows the console's output code page (the ANSI code page
// when there is no console). A byte that does not convert becomes "?".
std::string toTerminal(std::string_view text, unsigned codePage);
