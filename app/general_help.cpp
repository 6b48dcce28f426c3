#include "help_topics.h"
#include "main_app.h"
#include "main_dialog.h"

#include <initializer_list>

namespace {

// The next window up from `window`: a child's parent, a top-level window's owner.
HWND parentOrOwner(HWND window) {
    if ((GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD) != 0)
        return GetAncestor(window, GA_PARENT);
    return GetWindow(window, GW_OWNER);
}

} // namespace

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
