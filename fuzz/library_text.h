#pragma once

#include <cstddef>
#include <string_view>

// The characters of a text as the regex library's contract defines them, written apart from the
// library so that the targets can check what it reports: under 932 a lead byte (0x81-0x9F,
// 0xE0-0xFC) with a trail byte (0x40-0x7E, 0x80-0xFC) behind it, under 65001 a well-formed UTF-8
// sequence, and any other byte a character of its own.

// The byte length of the character at `at` (at < text.size()).
std::size_t libraryCharLength(std::string_view text, std::size_t at, unsigned codePage);

// True when `at` (0 to text.size()) is where a character begins, or the end, walking the text
// by characters from its first byte.
bool onLibraryBoundary(std::string_view text, std::size_t at, unsigned codePage);

// The first character boundary at or after `at`.
std::size_t libraryBoundaryFrom(std::string_view text, std::size_t at, unsigned codePage);

// True when the text holds only whole characters of the code page: no lead byte without its
// trail byte under 932, no byte outside a well-formed sequence under 65001.
bool isWellFormed(std::string_view text, unsigned codePage);
