#pragma once

#include "code_page.h"

#include <cstddef>
#include <string_view>

// Searches that walk a text by characters of the code page from its first byte, so that the
// second byte of a double-byte character is never taken for the byte looked for. The bytes
// looked for are ASCII (below 0x80), as every syntax character, separator and forbidden
// character of the program is.
constexpr std::size_t notFound = static_cast<std::size_t>(-1);

// The position of the first character equal to the single byte ch at or after from, or
// notFound. from should be a character boundary; the walk starts there.
std::size_t findChar(std::string_view text, char ch, std::size_t from, const CodePage& cp);

// The position of the last character equal to the single byte ch, or notFound.
std::size_t findLastChar(std::string_view text, char ch, const CodePage& cp);

// The position of the first character that is any of the single bytes of set, or notFound.
std::size_t findAnyChar(std::string_view text, std::string_view set, std::size_t from,
                        const CodePage& cp);
