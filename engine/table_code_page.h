#pragma once

#include "code_page.h"

// The code pages of the program by their Windows numbers.
constexpr unsigned shiftJisCodePage = 932;
constexpr unsigned westernCodePage = 1252;
constexpr unsigned utf8CodePage = 65001;

// The code pages of the program by their numbers, walked as the regex library walks them:
// 932 (Shift-JIS: a lead byte 0x81-0x9F or 0xE0-0xFC and a trail byte 0x40-0x7E or 0x80-0xFC
// are one character, any other byte stands alone), 65001 (UTF-8: a well-formed sequence is one
// character, any other byte stands alone) and every other number as a single-byte code page.
// Their letters are those of letter_case.h: under 932, 1252 and 65001 the letters of each,
// under every other number the ASCII letters.
// The window takes the number of the platform's ANSI code page, kibrel-cli the one it works in.
// The walk and the library's are held together by engine_tests (CharacterWalk).
class TableCodePage : public CodePage {
  public:
    explicit TableCodePage(unsigned number) : number_(number) {}

    bool isLeadByte(unsigned char b) const override;
    bool pairsAsciiBytes() const override { return number_ == shiftJisCodePage; }
    std::size_t charLength(std::string_view text, std::size_t pos) const override;
    void appendInCase(std::string_view character, LetterCase letterCase,
                      std::string& out) const override;
    unsigned number() const { return number_; }

  private:
    unsigned number_;
};
