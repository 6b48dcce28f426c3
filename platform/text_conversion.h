#pragma once

#include <optional>
#include <string>
#include <string_view>

// Texts between UTF-8, the code pages of the program and the terminal: iconv natively,
// MultiByteToWideChar and WideCharToMultiByte on Windows. Tested by platform_tests.

// A text written into the program in UTF-8, as bytes of the code page; a character that the
// code page lacks becomes "?", never a look-alike of it.
std::string fromUtf8(std::string_view utf8, unsigned codePage);

// A text in UTF-8 as bytes of the code page, only when the code page holds it exactly: every
// character has its own form there, and the bytes read back give the same text. Nothing when
// a character would become "?" or a look-alike, or the text is no UTF-8.
std::optional<std::string> fromUtf8Exactly(std::string_view utf8, unsigned codePage);

// Bytes of the code page in the character set of the terminal, for standard error: natively
// the locale's character set, on Windows the console's output code page (the ANSI code page
// when there is no console). A byte that does not convert becomes "?".
std::string toTerminal(std::string_view text, unsigned codePage);
