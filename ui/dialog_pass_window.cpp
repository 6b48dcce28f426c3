#include "dialog_pass_window.h"

#include "resource.h"
#include "window_text.h"

DialogPassWindow::DialogPassWindow(HWND window)
    : window_(window), searchHistory_(GetDlgItem(window, IDC_SEARCH)),
      replaceHistory_(GetDlgItem(window, IDC_REPLACE)) {}

std::string DialogPassWindow::searchBoxText() const {
    return windowText(GetDlgItem(window_, IDC_SEARCH));
}

std::string DialogPassWindow::replaceBoxText() const {
    return windowText(GetDlgItem(window_, IDC_REPLACE));
}

void DialogPassWindow::showActionArmed(bool armed) {
    SetDlgItemTextA(window_, IDC_ACTION, armed ? "Rename!" : "Test");
}

void DialogPassWindow::showWaitCursor() {
    SetCursor(LoadCursorA(nullptr, IDC_WAIT));
}

void DialogPassWindow::showArrowCursor() {
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
}
