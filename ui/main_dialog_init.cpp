#include "main_dialog.h"

#include "ansi_code_page.h"
#include "dialog_pass.h"
#include "regex_handle.h"
#include "resource.h"
#include "text_conversion.h"
#include "window_title.h"

#include <commctrl.h>

#include <algorithm>

namespace {

// The face of the Search and Replace boxes; the platform maps it to an installed Shift-JIS font
// when it is missing.
constexpr const char* comboFontFace = "ＡＲ黒丸ＰＯＰ体Ｈ";
constexpr int comboFontPitchAndFamily = 4;

POINT windowOrigin(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.left, rect.top};
}

// The widths of the file list's three columns for a list whose client area is clientWidth
// pixels wide: half for the folder, a quarter each for the current and the new name, each
// division dropping its remainder.
struct ColumnWidths {
    int filePath;
    int currentName;
    int newName;
};

constexpr ColumnWidths listColumnWidths(int clientWidth) {
    return {clientWidth / 2, clientWidth / 4, clientWidth / 4};
}
constexpr bool widthsAre(int client, int filePath, int currentName, int newName) {
    const ColumnWidths w = listColumnWidths(client);
    return w.filePath == filePath && w.currentName == currentName && w.newName == newName;
}
static_assert(widthsAre(375, 187, 93, 93) && widthsAre(400, 200, 100, 100) &&
              widthsAre(3, 1, 0, 0) && widthsAre(0, 0, 0, 0));

void insertColumn(HWND list, int index, const char* title, int width) {
    std::string text = title;
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = text.data();
    SendMessageA(list, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
}

} // namespace

// Runs when the window and its controls exist. A window that no saved position moved is then
// centred; the initial focus stays with the first control in tab order.
INT_PTR MainDialog::initialise() {
    POINT created = windowOrigin(window_);
    setIcons();
    fileList_ = GetDlgItem(window_, IDC_FILES);
    pass_ = std::make_unique<DialogPass>(app_, window_);
    SendMessageA(fileList_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
    insertColumns();
    setComboFont();
    {
        RegexHandle library;
        bool opened = library.open() == 1;
        setTitle(opened ? std::optional<unsigned>(library.libraryVersion()) : std::nullopt);
        loadSettings();
        seedFromCommandLine();
    }
    POINT now = windowOrigin(window_);
    if (now.x == created.x && now.y == created.y)
        centreInWorkArea();
    return TRUE;
}

void MainDialog::setIcons() {
    SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(appIcon_));
    SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(appIcon_));
}

void MainDialog::insertColumns() {
    RECT client{};
    GetClientRect(fileList_, &client);
    ColumnWidths widths = listColumnWidths(client.right);
    insertColumn(fileList_, 0, "FilePath", widths.filePath);
    insertColumn(fileList_, 1, "CurrentName", widths.currentName);
    insertColumn(fileList_, 2, "NewName", widths.newName);
}

// When the font cannot be made, the boxes get no font and keep the system font.
void MainDialog::setComboFont() {
    std::string face = fromUtf8(comboFontFace, ansiCodePage().number());
    comboFont_ = CreateFontA(0, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             comboFontPitchAndFamily, face.c_str());
    for (int box : {IDC_SEARCH, IDC_REPLACE})
        SendDlgItemMessageA(window_, box, WM_SETFONT, reinterpret_cast<WPARAM>(comboFont_), TRUE);
}

// Without a usable library (it cannot be opened, or lacks an entry point) the title shows the
// program's part only; the library's version is asked for only after a successful open.
void MainDialog::setTitle(std::optional<unsigned> libraryVersion) {
    std::string version = DialogMessages(app_, window_).text(SystemText::ProgramVersion);
    SetWindowTextA(window_, windowTitle(version, libraryVersion).c_str());
}

void MainDialog::centreInWorkArea() {
    RECT work{};
    RECT rect{};
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0) || !GetWindowRect(window_, &rect))
        return;
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    int x = std::max(work.left, work.left + (work.right - work.left - width) / 2);
    int y = std::max(work.top, work.top + (work.bottom - work.top - height) / 2);
    SetWindowPos(window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
