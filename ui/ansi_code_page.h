#pragma once

#include "code_page.h"

#include <array>

// The process's ANSI code page as the platform reports it: the lead-byte ranges of GetCPInfo,
// taken once when the object is made. Under code page 932 these are 0x81-0x9F and 0xE0-0xFC.
class AnsiCodePage : public CodePage {
  public:
    AnsiCodePage();

    bool isLeadByte(unsigned char b) const override;
    std::size_t charLength(std::string_view text, std::size_t pos) const override;

  private:
    std::array<bool, 256> leadBytes_{};
};

// The one AnsiCodePage of the process.
const CodePage& ansiCodePage();
