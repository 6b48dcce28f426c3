#pragma once

#include "code_page.h"

#include <memory>

// Code pages known without asking the platform: 932 (Shift-JIS, lead bytes 0x81-0x9F and
// 0xE0-0xFC), 65001 (UTF-8) and every other number as a single-byte code page. Used natively
// and by tests; the window asks the platform instead.
class TableCodePage : public CodePage {
  public:
    explicit TableCodePage(unsigned number) : number_(number) {}

    bool isLeadByte(unsigned char b) const override;
    std::size_t charLength(std::string_view text, std::size_t pos) const override;
    unsigned number() const { return number_; }

  private:
    unsigned number_;
};
