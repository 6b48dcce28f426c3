#include "main_dialog.h"
#include "resource.h"
#include "window_application.h"

#include <commctrl.h>

namespace {

// The notification code and the control id of an event: from WM_COMMAND and WM_NOTIFY; 0 and 0
// for the window's own messages.
struct EventSource {
    UINT code;
    UINT controlId;
};

EventSource sourceOf(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND)
        return {HIWORD(wParam), LOWORD(wParam)};
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        return {header->code, static_cast<UINT>(header->idFrom)};
    }
    return {0, 0};
}

} // namespace

// Searched in order; the first entry that matches handles the event. Esc, the close box and the
// system menu's Close arrive as the cancel command.
const MainDialog::Event MainDialog::eventTable[] = {
    {WM_PAINT, 0, 0, &MainDialog::paintMinimised},
    {WM_QUERYDRAGICON, 0, 0, &MainDialog::queryDragIcon},
    {WM_COMMAND, BN_CLICKED, IDC_ACTION, &MainDialog::runAction},
    {WM_COMMAND, CBN_EDITCHANGE, IDC_SEARCH, &MainDialog::resetToTest},
    {WM_COMMAND, CBN_EDITCHANGE, IDC_REPLACE, &MainDialog::resetToTest},
    {WM_COMMAND, CBN_SELCHANGE, IDC_SEARCH, &MainDialog::resetToTest},
    {WM_COMMAND, CBN_SELCHANGE, IDC_REPLACE, &MainDialog::resetToTest},
    {WM_NOTIFY, static_cast<UINT>(LVN_INSERTITEM), IDC_FILES, &MainDialog::rowInserted},
    {WM_NOTIFY, static_cast<UINT>(LVN_DELETEITEM), IDC_FILES, &MainDialog::rowDeleting},
    {WM_NOTIFY, static_cast<UINT>(NM_CUSTOMDRAW), IDC_FILES, &MainDialog::drawRow},
    {WM_DROPFILES, 0, 0, &MainDialog::dropFiles},
    {WM_DESTROY, 0, 0, &MainDialog::storeSettings},
    {WM_COMMAND, BN_CLICKED, IDC_LIST, &MainDialog::listFiles},
    {WM_COMMAND, BN_CLICKED, IDC_UNLIST, &MainDialog::unlistPressed},
    {WM_NOTIFY, static_cast<UINT>(LVN_KEYDOWN), IDC_FILES, &MainDialog::listKeyDown},
    {WM_COMMAND, BN_CLICKED, IDC_EXIT, &MainDialog::endWithCancel},
    {WM_COMMAND, BN_CLICKED, IDCANCEL, &MainDialog::endWithCancel},
    {WM_HELP, 0, 0, &MainDialog::helpRequested},
    {WM_COMMAND, 0, IDM_HELP_INDEX, &MainDialog::showHelpContents},
};

// A command that no entry handles and that comes from no control (a menu item or a command
// sent to the window) goes on to the application's own table.
INT_PTR MainDialog::handleEvent(UINT message, WPARAM wParam, LPARAM lParam) {
    EventSource source = sourceOf(message, wParam, lParam);
    for (const Event& event : eventTable) {
        if (event.message == message && event.code == source.code &&
            event.controlId == source.controlId)
            return (this->*event.handler)(wParam, lParam);
    }
    if (message == WM_COMMAND && lParam == 0 && app_.routeCommand(LOWORD(wParam)))
        return TRUE;
    return FALSE;
}
