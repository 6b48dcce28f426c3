#include "dialog_pass_window.h"

#include "resource.h"

namespace {

// The whole window text of a window or control, however long.
std::string windowText(HWND window) {
    int length = GetWindowTextLengthA(window);
    if (length <= 0)
        return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    int read = GetWindowTextA(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(read > 0 ? read : 0));
    return text;
}

} // namespace

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
