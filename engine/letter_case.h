#pragma once

#include "code_page.h"

#include <string>
#include <string_view>

// The letter cases of the code pages, one function for each encoding: each appends one
// character (its bytes as the code page's walk gives them) to out in the case asked for, and a
// character that is no letter with another case in that encoding as it is. Kana, kanji and
// every other character without case stay as they are. Used by TableCodePage; held to the C
// library's case mapping by engine_tests (letter_case_test.cpp).

// ASCII letters only: the single-byte code pages other than 1252.
void appendAsciiInCase(std::string_view character, LetterCase letterCase, std::string& out);

// Code page 1252: ASCII and the letters of the page, from Š to ÿ (ß, ª, º and µ have no
// other case in it).
void appendWesternInCase(std::string_view character, LetterCase letterCase, std::string& out);

// Code page 932: ASCII and the full-width Latin, Greek and Cyrillic letters of the page.
void appendShiftJisInCase(std::string_view character, LetterCase letterCase, std::string& out);

// UTF-8: the simple case mapping of ASCII, Latin-1, Latin Extended-A, Greek and Coptic,
// Cyrillic and the full-width Latin letters; a letter may change its byte length (ſ becomes
// S). A byte that begins no well-formed sequence stays as it is.
void appendUtf8InCase(std::string_view character, LetterCase letterCase, std::string& out);
