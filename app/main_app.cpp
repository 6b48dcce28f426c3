#include "main_app.h"

#include "ansi_code_page.h"
#include "app_paths.h"
#include "help_topics.h"
#include "main_dialog.h"
#include "message_icon.h"
#include "resource.h"
#include "resource_string.h"

#include <commctrl.h>

namespace {

// The path of the running executable, at most 260 bytes; empty when the platform cannot
// tell it.
std::string executablePath() {
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    return std::string(path, length);
}

} // namespace

const std::array<MainApp::Command, 1> MainApp::commandTable{{
    {generalHelpCommandId, &MainApp::generalHelp},
}};

MainApp::MainApp() : appName_(appNameFor(executablePath(), ansiCodePage())) {}

bool MainApp::startUp() {
    helpFilePath_ = helpFilePathFor(executablePath(), ansiCodePage());

    HMODULE library = LoadLibraryA("JRE32.DLL");
    if (library == nullptr) {
        std::string text = loadResourceString<32>(IDS_LIBRARY_MISSING);
        MessageBoxA(nullptr, text.c_str(), nullptr, MB_OK | MB_ICONWARNING);
        return false;
    }
    FreeLibrary(library);

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    MainDialog dialog(*this, nullptr);
    mainWindow_ = &dialog;
    dialog.run();
    mainWindow_ = nullptr;
    return false;
}

HWND MainApp::messageOwner() const {
    if (mainWindow_ != nullptr && mainWindow_->window() != nullptr)
        return mainWindow_->window();
    return GetActiveWindow();
}

int MainApp::appMessageBox(const std::string& text, unsigned type, unsigned helpId) {
    unsigned formerTopic = promptTopic_;
    if (helpId != 0)
        promptTopic_ = messageTopicBase + helpId;
    int button = MessageBoxA(messageOwner(), text.c_str(), appName_.c_str(), withDefaultIcon(type));
    promptTopic_ = formerTopic;
    return button;
}

int MainApp::appMessageBox(unsigned stringId, unsigned type, std::optional<unsigned> helpId) {
    return appMessageBox(loadResourceString<256>(stringId), type, helpId.value_or(stringId));
}

bool MainApp::routeCommand(unsigned id) {
    for (const Command& command : commandTable) {
        if (command.id == id) {
            (this->*command.handler)();
            return true;
        }
    }
    return false;
}
