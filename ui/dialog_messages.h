#pragma once

#include "messages.h"
#include "window_application.h"

#include <windows.h>

// The system's messages as the main window shows them. Under code page 932 texts 10 to 14 come
// from the (Japanese) string table, each through the buffer the window reads it with, and the
// others are the engine's Japanese texts converted; under every other code page all are the
// engine's English texts. Message boxes are owned by the window (none before the window
// exists).
class DialogMessages : public Messages {
  public:
    DialogMessages(WindowApplication& app, HWND window) : app_(app), window_(window) {}

    std::string text(SystemText id) override;
    int showMessage(const std::string& text, unsigned type, const std::string& caption) override;
    int showHelpMessage(const std::string& text, unsigned type, unsigned helpId) override;

  private:
    WindowApplication& app_;
    HWND window_;
};
