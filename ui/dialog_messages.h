#pragma once

#include "messages.h"

#include <windows.h>

class MainApp;

// The system's messages as the main window shows them: texts from the string resources or
// converted into the ANSI code page, message boxes owned by the window.
class DialogMessages : public Messages {
  public:
    DialogMessages(MainApp& app, HWND window) : app_(app), window_(window) {}

    std::string text(SystemText id) override;
    int showMessage(const std::string& text, unsigned type, const std::string& caption) override;
    int showHelpMessage(const std::string& text, unsigned type, unsigned helpId) override;

  private:
    MainApp& app_;
    HWND window_;
};
