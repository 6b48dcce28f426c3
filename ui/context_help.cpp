#include "help_topics.h"
#include "html_help.h"
#include "main_dialog.h"
#include "resource.h"
#include "window_application.h"

#include <htmlhelp.h>

namespace {

// Where the pop-up texts lie inside the help file.
constexpr const char* popupTextsInFile = "::/cshelp.txt";

// The application's wait cursor from construction to destruction, whichever way the
// operation ends; the cursor stays as it is when the platform has no wait cursor to give.
class WaitCursor {
  public:
    WaitCursor() {
        if (HCURSOR wait = LoadCursorA(nullptr, IDC_WAIT); wait != nullptr) {
            former_ = SetCursor(wait);
            shown_ = true;
        }
    }
    ~WaitCursor() {
        if (shown_)
            SetCursor(former_);
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

  private:
    HCURSOR former_ = nullptr;
    bool shown_ = false;
};

bool modifierHeld() {
    return GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0;
}

// A text pop-up with the help number `number`, its top centre at `at`, in the engine's own
// colours, margins and font.
HH_POPUP textPopup(unsigned number, POINT at) {
    HH_POPUP popup{};
    popup.cbStruct = sizeof popup;
    popup.hinst = nullptr;
    popup.idString = number;
    popup.pszText = nullptr;
    popup.pt = at;
    popup.clrForeground = static_cast<COLORREF>(-1);
    popup.clrBackground = static_cast<COLORREF>(-1);
    popup.rcMargins = {-1, -1, -1, -1};
    popup.pszFont = nullptr;
    return popup;
}

// The search tab with no query of its own.
HH_FTS_QUERY emptySearch() {
    HH_FTS_QUERY query{};
    query.cbStruct = sizeof query;
    query.fUniCodeStrings = FALSE;
    query.pszSearchQuery = "";
    query.iProximity = 0;
    query.fStemmedSearch = FALSE;
    query.fTitleOnly = FALSE;
    query.fExecute = FALSE;
    query.pszWindow = "";
    return query;
}

bool fileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

} // namespace

unsigned MainDialog::helpTopic() {
    return windowTopicBase + IDD_MAIN;
}

void MainDialog::showHelp(unsigned contextValue, unsigned command) {
    WaitCursor wait;
    SendMessageA(window_, WM_CANCELMODE, 0, 0);
    if (HWND capture = GetCapture(); capture != nullptr)
        SendMessageA(capture, WM_CANCELMODE, 0, 0);

    const std::string& helpFile = app_.helpFilePath();
    if (!fileExists(helpFile)) {
        app_.appMessageBox(missingHelpFileMessage(helpFile), MB_OK, 0);
        return;
    }
    std::optional<unsigned> engineCommand = engineCommandFor(command);
    if (!engineCommand)
        return;

    switch (*engineCommand) {
    case engineDisplayTextPopup: {
        POINT pointer{};
        if (!GetCursorPos(&pointer))
            pointer = {};
        HH_POPUP popup = textPopup(popupHelpNumber(contextValue, renameArmed() != 0), pointer);
        std::string popupFile = helpFile + popupTextsInFile;
        if (callHtmlHelp(window_, popupFile.c_str(), *engineCommand,
                         reinterpret_cast<DWORD_PTR>(&popup)) == nullptr)
            app_.appMessageBox(contextIdMessage(helpFile, contextValue), MB_OK, 0);
        break;
    }
    case engineDisplaySearch: {
        HH_FTS_QUERY query = emptySearch();
        callHtmlHelp(window_, helpFile.c_str(), *engineCommand,
                     reinterpret_cast<DWORD_PTR>(&query));
        break;
    }
    default:
        callHtmlHelp(window_, helpFile.c_str(), *engineCommand, 0);
        break;
    }
}

// The control that a help request names. F1 in the edit field of a combo box reports the
// field, whose id is that of the Search box for both boxes; the request is for the window's
// control that holds the field.
int MainDialog::helpControlId(const HELPINFO& info) const {
    auto item = static_cast<HWND>(info.hItemHandle);
    if (info.iContextType != HELPINFO_WINDOW || item == nullptr || !IsChild(window_, item))
        return info.iCtrlId;
    HWND control = item;
    for (HWND parent = GetAncestor(control, GA_PARENT); parent != nullptr && parent != window_;
         parent = GetAncestor(control, GA_PARENT))
        control = parent;
    return control == item ? info.iCtrlId : GetDlgCtrlID(control);
}

// F1, or the caption's help button and a click: a pop-up for a control, nothing for the
// labels, and the general help for anything else unless Shift, Ctrl or Alt is held down.
INT_PTR MainDialog::helpRequested(WPARAM, LPARAM lParam) {
    const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
    if (info == nullptr)
        return FALSE;
    ControlHelp help = controlHelpFor(helpControlId(*info), renameArmed() != 0);
    switch (help.kind) {
    case ControlHelp::Kind::nothing:
        return FALSE;
    case ControlHelp::Kind::control:
        showHelp(help.contextValue, helpContextCommand);
        return TRUE;
    case ControlHelp::Kind::general:
        if (modifierHeld())
            return FALSE;
        SendMessageA(window_, WM_COMMAND, generalHelpCommandId, 0);
        return TRUE;
    }
    return FALSE;
}

// The "Help(&H)" menu item: the help file's table of contents.
INT_PTR MainDialog::showHelpContents(WPARAM, LPARAM) {
    showHelp(controlTopicBase, helpIndexCommand);
    return TRUE;
}
