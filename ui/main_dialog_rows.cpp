#include "dialog_messages.h"
#include "dialog_pass.h"
#include "main_dialog.h"

#include "ansi_code_page.h"
#include "command_line.h"
#include "path_split.h"
#include "text_conversion.h"
#include "wide_paths.h"

#include <commctrl.h>

void MainDialog::appendPathRow(const ListedPath& path) {
    PathParts parts = splitPath(path.path, windowSeparators, ansiCodePage());
    ListViewRows& rows = pass_->rows();
    LVITEMA row{};
    row.mask = LVIF_TEXT | LVIF_PARAM;
    row.iItem = static_cast<int>(SendMessageA(fileList_, LVM_GETITEMCOUNT, 0, 0));
    row.pszText = parts.folder.data();
    row.lParam = rows.keepListedFile(path.fileKey);
    int index = static_cast<int>(
        SendMessageA(fileList_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row)));
    if (index < 0) {
        rows.forgetListedFile(row.lParam);
        return;
    }
    LVITEMA name{};
    name.iSubItem = 1;
    name.pszText = parts.name.data();
    SendMessageA(fileList_, LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&name));
}

// Many rows at once (a drop of thousands of files) would otherwise repaint the list after each.
void MainDialog::appendPathRows(const std::vector<ListedPath>& paths) {
    SendMessageA(fileList_, WM_SETREDRAW, FALSE, 0);
    for (const ListedPath& path : paths)
        appendPathRow(path);
    SendMessageA(fileList_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(fileList_, nullptr, TRUE);
}

void MainDialog::listPaths(const std::vector<std::string>& utf8Paths) {
    const unsigned codePage = ansiCodePage().number();
    std::vector<ListedPath> held;
    std::string notHeld;
    for (const std::string& path : utf8Paths) {
        if (std::optional<std::string> bytes = fromUtf8Exactly(path, codePage)) {
            const std::optional<std::wstring> wide = wideFromCodePage(path, utf8CodePage);
            held.push_back({std::move(*bytes), wide ? fileKey(*wide) : std::string()});
        } else {
            notHeld += "\n" + fromUtf8(path, codePage);
        }
    }
    appendPathRows(held);
    if (notHeld.empty())
        return;
    DialogMessages messages(app_, window_);
    messages.showMessage(messages.text(SystemText::PathsNotHeld) + notHeld, MB_OK | MB_ICONWARNING,
                         {});
}

// The line is read in its wide form and split by the same rules, in UTF-8, so that no path
// reaches the list as a look-alike of the one given.
void MainDialog::seedFromCommandLine() {
    const wchar_t* line = GetCommandLineW();
    if (line == nullptr)
        return;
    listPaths(commandLineArguments(utf8FromWide(line), TableCodePage(utf8CodePage)));
}
