#pragma once

#include "messages.h"

#include <cstdio>
#include <string>

// The system's messages as the front end shows them: each text on a line of its own on
// standard error, converted from the code page into the terminal's character set, at the
// moment the window would show its box. The fixed texts are converted from UTF-8 into the
// code page. A box's type, caption and help id have no form on a terminal and are left out.
class CliMessages : public Messages {
  public:
    CliMessages(unsigned codePage, std::FILE* err) : codePage_(codePage), err_(err) {}

    std::string text(SystemText id) override;
    int showMessage(const std::string& text, unsigned type, const std::string& caption) override;
    int showHelpMessage(const std::string& text, unsigned type, unsigned helpId) override;

    // Shows a text of the code page as a message of its own.
    void show(const std::string& text);

  private:
    unsigned codePage_;
    std::FILE* err_;
};
