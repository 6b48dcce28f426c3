#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The case a letter is put in.
enum class LetterCase { upper, lower };

// The system's ANSI code page, as the engine sees it: which bytes start a double-byte
// character, and how long the character at a position is. Every search of the engine for a
// syntax character walks the text by these characters from a character boundary; the Replace
// text's case escapes ask it for the other case of its letters.
// Implemented by TableCodePage (the window with its ANSI code page, kibrel-cli with the one it
// works in); held to the regex library's walk by engine_tests (character_walk_test.cpp), and
// its letters' cases to the C library's (letter_case_test.cpp).
class CodePage {
  public:
    virtual ~CodePage() = default;

    // True when b is a lead byte of a double-byte character (never under single-byte code pages
    // or UTF-8).
    virtual bool isLeadByte(unsigned char b) const = 0;
    // True when a byte below 0x80 can be the second byte of a character (under a double-byte
    // code page); otherwise every such byte is a character of its own wherever it stands.
    virtual bool pairsAsciiBytes() const = 0;

    // The byte length of the character that starts at pos (pos < text.size()): at least 1 and
    // never beyond the end of the text.
    virtual std::size_t charLength(std::string_view text, std::size_t pos) const = 0;

    // Appends one character (its bytes as charLength gives them) to out in the letter case
    // asked for; a character that is no letter of the code page, or has no other case in it,
    // goes in as it is.
    virtual void appendInCase(std::string_view character, LetterCase letterCase,
                              std::string& out) const = 0;
};
