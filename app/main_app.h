#pragma once

#include "window_application.h"

#include <windows.h>

#include <array>
#include <string>

class MainDialog;

// The application object, one for the life of the process: start-up, the application's name,
// the help file's path, and the message box that carries a help id.
class MainApp : public WindowApplication {
  public:
    MainApp();
    MainApp(const MainApp&) = delete;
    MainApp& operator=(const MainApp&) = delete;

    // Finds the help file, refuses to run without the regex library, and runs the main window
    // modally. Returns whether a message loop of the application's own should follow: never.
    bool startUp();

    // The executable's file name without folder and extension: the caption of the message
    // boxes that give none.
    const std::string& appName() const override { return appName_; }
    // The executable's path with the extension "chm".
    const std::string& helpFilePath() const override { return helpFilePath_; }
    // 0x30000 + the help id of the message box on screen, else 0.
    unsigned promptTopic() const { return promptTopic_; }

    // A type that names no icon gets the exclamation icon for the OK, OK/Cancel, Yes/No/Cancel
    // and Yes/No sets.
    int appMessageBox(const std::string& text, unsigned type, unsigned helpId) override;

    // Runs the command from the application's own event table, for commands that the main
    // window does not handle itself. False when the table has no entry for it.
    bool routeCommand(unsigned id) override;

  private:
    struct Command {
        unsigned id;
        void (MainApp::*handler)();
    };
    static const std::array<Command, 1> commandTable;

    HWND messageOwner() const;
    void generalHelp();
    unsigned topicOnScreen() const;

    std::string appName_;
    std::string helpFilePath_;
    unsigned promptTopic_ = 0;
    MainDialog* mainWindow_ = nullptr;
};
