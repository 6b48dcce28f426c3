#include "main_app.h"

#include "ansi_code_page.h"
#include "app_paths.h"
#include "dialog_messages.h"
#include "help_topics.h"
#include "library_module.h"
#include "main_dialog.h"
#include "regex_handle.h"

#include <commctrl.h>

#include <initializer_list>

namespace {

constexpr unsigned iconBits = 0xF0;
constexpr unsigned buttonBits = 0x0F;
constexpr unsigned iconExclamation = 0x30;

// The type of the application's message box: a type that names no icon and whose buttons are
// OK, OK and Cancel, Yes/No/Cancel or Yes and No gets the exclamation icon; any other type is
// shown as given.
constexpr unsigned withDefaultIcon(unsigned type) {
    constexpr unsigned ok = 0;
    constexpr unsigned okCancel = 1;
    constexpr unsigned yesNoCancel = 3;
    constexpr unsigned yesNo = 4;
    if ((type & iconBits) != 0)
        return type;
    const unsigned buttons = type & buttonBits;
    if (buttons == ok || buttons == okCancel || buttons == yesNoCancel || buttons == yesNo)
        return type | iconExclamation;
    return type;
}
// Button sets 0 to 6, with and without the Help button; a given icon is kept.
static_assert(withDefaultIcon(0) == 0x30 && withDefaultIcon(1) == 0x31 && withDefaultIcon(2) == 2 &&
              withDefaultIcon(3) == 0x33 && withDefaultIcon(4) == 0x34 && withDefaultIcon(5) == 5 &&
              withDefaultIcon(6) == 6);
static_assert(withDefaultIcon(0x4000) == 0x4030 && withDefaultIcon(0x4002) == 0x4002 &&
              withDefaultIcon(0x4004) == 0x4034);
static_assert(withDefaultIcon(0x10) == 0x10 && withDefaultIcon(0x21) == 0x21 &&
              withDefaultIcon(0x44) == 0x44 && withDefaultIcon(0x4040) == 0x4040);

// The path of the running executable, at most 260 bytes; empty when the platform cannot
// tell it.
std::string executablePath() {
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    return std::string(path, length);
}

// The next window up from `window`: a child's parent, a top-level window's owner.
HWND parentOrOwner(HWND window) {
    if ((GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD) != 0)
        return GetAncestor(window, GA_PARENT);
    return GetWindow(window, GW_OWNER);
}

} // namespace

const std::array<MainApp::Command, 1> MainApp::commandTable{{
    {generalHelpCommandId, &MainApp::generalHelp},
}};

MainApp::MainApp() : appName_(appNameFor(executablePath(), ansiCodePage())) {}

bool MainApp::startUp() {
    helpFilePath_ =
        helpFilePathFor(executablePath(), ansiCodePage(), textLanguageFor(ansiCodePage().number()));

    LibraryModule library = loadLibraryModule(RegexHandle::libraryName().c_str());
    if (library == nullptr) {
        std::string text = DialogMessages(*this, nullptr).text(SystemText::LibraryMissing);
        MessageBoxA(nullptr, text.c_str(), nullptr, MB_OK | MB_ICONWARNING);
        return false;
    }
    freeLibraryModule(library);

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

bool MainApp::routeCommand(unsigned id) {
    for (const Command& command : commandTable) {
        if (command.id == id) {
            (this->*command.handler)();
            return true;
        }
    }
    return false;
}

// Help on whatever is on screen: the message box that carries a help id while one is open,
// else the topic of the first window that names one.
void MainApp::generalHelp() {
    if (mainWindow_ == nullptr || mainWindow_->window() == nullptr)
        return;
    unsigned topic = promptTopic_ != 0 ? promptTopic_ : topicOnScreen();
    if (topic != 0)
        mainWindow_->showHelp(topic, helpContextCommand);
}

// The topic named by the window that holds the mouse capture, then by the one that holds the
// keyboard focus, then by the main window's last active pop-up, each asked with its parents
// and owners in turn; 0 when none names one. Of the program's windows only the main window
// names a topic.
unsigned MainApp::topicOnScreen() const {
    HWND main = mainWindow_->window();
    for (HWND start : {GetCapture(), GetFocus(), GetLastActivePopup(main)}) {
        for (HWND window = start; window != nullptr; window = parentOrOwner(window)) {
            if (window == main)
                return MainDialog::helpTopic();
        }
    }
    return 0;
}
