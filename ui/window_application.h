#pragma once

#include <string>

// What the main window needs from the application that runs it: its name, the help file, the
// message box that carries a help id, and the application's own commands, which the window
// passes on when its event table has no entry for them (the general help, 0xE146, among them).
// Implemented by MainApp (app/); the window's use of it is held by e2e_help_tests.
class WindowApplication {
  public:
    virtual const std::string& appName() const = 0;
    virtual const std::string& helpFilePath() const = 0;
    // A message box owned by the application's active window with the caption appName; while
    // it is open, a help id other than 0 is the current help topic. Returns the button that
    // closed it.
    virtual int appMessageBox(const std::string& text, unsigned type, unsigned helpId) = 0;
    // Runs a command of the application's own; false when it has none of that id.
    virtual bool routeCommand(unsigned id) = 0;

  protected:
    ~WindowApplication() = default;
};
