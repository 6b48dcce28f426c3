#include "main_dialog.h"

#include "ansi_code_page.h"
#include "command_line.h"
#include "path_split.h"

#include <commctrl.h>

void MainDialog::appendPathRow(const std::string& path) {
    PathParts parts = splitPath(path, windowSeparators, ansiCodePage());
    LVITEMA row{};
    row.mask = LVIF_TEXT;
    row.iItem = static_cast<int>(SendMessageA(fileList_, LVM_GETITEMCOUNT, 0, 0));
    row.pszText = parts.folder.data();
    int index = static_cast<int>(
        SendMessageA(fileList_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row)));
    if (index < 0)
        return;
    LVITEMA name{};
    name.iSubItem = 1;
    name.pszText = parts.name.data();
    SendMessageA(fileList_, LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&name));
}

// Many rows at once (a drop of thousands of files) would otherwise repaint the list after each.
void MainDialog::appendPathRows(const std::vector<std::string>& paths) {
    SendMessageA(fileList_, WM_SETREDRAW, FALSE, 0);
    for (const std::string& path : paths)
        appendPathRow(path);
    SendMessageA(fileList_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(fileList_, nullptr, TRUE);
}

void MainDialog::seedFromCommandLine() {
    const char* line = GetCommandLineA();
    if (line == nullptr)
        return;
    appendPathRows(commandLineArguments(line, ansiCodePage()));
}
