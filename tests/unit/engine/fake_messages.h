#pragma once

#include "messages.h"

#include <string>
#include <vector>

// One message the engine showed, as the fake saw it.
struct ShownMessage {
    std::string text;
    unsigned type = 0;
    std::string caption;
    bool withHelp = false;
    unsigned helpId = 0;
};

// Records every message and closes it with OK; hands out the system's fixed texts as the engine
// holds them, which the engine passes on without looking into them.
class FakeMessages : public Messages {
  public:
    std::string text(SystemText id) override;
    int showMessage(const std::string& text, unsigned type, const std::string& caption) override;
    int showHelpMessage(const std::string& text, unsigned type, unsigned helpId) override;

    std::vector<ShownMessage> shown;
};

// The fixed text as FakeMessages hands it out.
std::string fixedText(SystemText id);
