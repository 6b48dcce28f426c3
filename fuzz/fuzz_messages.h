#pragma once

#include "messages.h"

#include <string>

// Closes every message the engine shows with OK and counts them; the fixed texts are their
// numbers ("text 11"), so a target can tell which one was shown last.
class FuzzMessages : public Messages {
  public:
    std::string text(SystemText id) override;
    int showMessage(const std::string& text, unsigned type, const std::string& caption) override;
    int showHelpMessage(const std::string& text, unsigned type, unsigned helpId) override;

    int shown = 0;
    std::string last;
};
