#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class DialogPass;
class WindowApplication;

// The program's only window: a modal dialog from template 102 with the Search and Replace
// boxes, the action button, the List, Unlist and Exit buttons and the file list. Each event
// goes through the event table to one handler.
class MainDialog {
  public:
    MainDialog(WindowApplication& app, HWND owner);
    ~MainDialog();
    MainDialog(const MainDialog&) = delete;
    MainDialog& operator=(const MainDialog&) = delete;

    // Shows the window modally until it ends; returns its result (IDCANCEL from Exit, Esc or
    // the close box, -1 when it could not be created).
    INT_PTR run();

    // The window while it is open, else null.
    HWND window() const { return window_; }

    // A full path in the ANSI code page, with the key of the file it names (fileKey, empty
    // when nothing is there).
    struct ListedPath {
        std::string path;
        std::string fileKey;
    };
    // Appends one row for a full path: its folder with the trailing backslash, and its name.
    void appendPathRow(const ListedPath& path);
    // Appends a row for each path, in order, and repaints the list once at the end.
    void appendPathRows(const std::vector<ListedPath>& paths);
    // Lists the full paths of one drop, command line or List choice, given in UTF-8: a row for
    // each path that the ANSI code page holds exactly, in order, and one message that names
    // the others (what the code page lacks shown as "?"), since under another name a row
    // would rename another file, or none.
    void listPaths(const std::vector<std::string>& utf8Paths);

    // 0 while the action button reads "Test", 1 while it reads "Rename!".
    int renameArmed() const;

    // Shows help for `contextValue` by the Windows help command `command`: the pop-up of its
    // help number, or the help file's contents, search or index. Reports a missing help file
    // and a pop-up that the engine did not show.
    void showHelp(unsigned contextValue, unsigned command);
    // The help context of the window as a whole.
    static unsigned helpTopic();

  private:
    using Handler = INT_PTR (MainDialog::*)(WPARAM, LPARAM);
    struct Event {
        UINT message;
        UINT code;
        UINT controlId;
        Handler handler;
    };
    static const Event eventTable[];

    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR handleEvent(UINT message, WPARAM wParam, LPARAM lParam);

    INT_PTR initialise();
    void setIcons();
    void insertColumns();
    void setComboFont();
    void setTitle(std::optional<unsigned> libraryVersion);
    void seedFromCommandLine();
    void centreInWorkArea();

    INT_PTR paintMinimised(WPARAM, LPARAM);
    INT_PTR queryDragIcon(WPARAM, LPARAM);
    INT_PTR endWithCancel(WPARAM, LPARAM);

    INT_PTR runAction(WPARAM, LPARAM);
    INT_PTR resetToTest(WPARAM, LPARAM);
    INT_PTR rowInserted(WPARAM, LPARAM);
    INT_PTR rowDeleting(WPARAM, LPARAM);
    INT_PTR drawRow(WPARAM, LPARAM);
    INT_PTR notificationResult(LRESULT result);

    INT_PTR dropFiles(WPARAM, LPARAM);
    INT_PTR listFiles(WPARAM, LPARAM);
    INT_PTR unlistPressed(WPARAM, LPARAM);
    INT_PTR listKeyDown(WPARAM, LPARAM);
    void unlistSelected();
    void selectAllRows();

    void loadSettings();
    void saveSettings();
    INT_PTR storeSettings(WPARAM, LPARAM);

    int helpControlId(const HELPINFO& info) const;
    INT_PTR helpRequested(WPARAM, LPARAM);
    INT_PTR showHelpContents(WPARAM, LPARAM);

    WindowApplication& app_;
    HWND owner_;
    HWND window_ = nullptr;

    HWND fileList_ = nullptr;
    std::unique_ptr<DialogPass> pass_;
    HICON appIcon_;
    HFONT comboFont_ = nullptr;
};
