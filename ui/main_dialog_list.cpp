#include "main_dialog.h"

#include "chosen_files.h"
#include "dialog_pass.h"
#include "row_selection.h"
#include "table_code_page.h"
#include "wide_paths.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <vector>

namespace {

// Room for the folder and a few thousand names chosen at once in the open-file dialog.
constexpr DWORD chosenNamesBuffer = 256 * 1024;
constexpr DWORD openFileFlags = 0x101204 | OFN_EXPLORER | OFN_ENABLESIZING;
constexpr wchar_t allFilesFilter[] = L"All Files(*.*)\0*.*\0";
constexpr UINT dropCountQuery = 0xFFFFFFFF;
constexpr int keyDownBit = 15;

// base to the power exponent (not negative), as int: 1 multiplied by base exponent times.
constexpr int intPower(int base, int exponent) {
    int result = 1;
    for (int i = 0; i < exponent; ++i)
        result *= base;
    return result;
}
static_assert(intPower(2, 15) == 32768 && intPower(2, 0) == 1 && intPower(3, 4) == 81 &&
              intPower(-2, 3) == -8 && intPower(0, 0) == 1);

} // namespace

// Every path is read whole, whatever its length, in its wide form, and the drop is released
// once read, before a message may name paths that could not be listed.
INT_PTR MainDialog::dropFiles(WPARAM wParam, LPARAM lParam) {
    auto drop = reinterpret_cast<HDROP>(wParam);
    const UINT count = DragQueryFileW(drop, dropCountQuery, nullptr, 0);
    std::vector<std::string> paths;
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        const UINT read = DragQueryFileW(drop, i, path.data(), length + 1);
        if (read == 0)
            continue;
        path.resize(read);
        paths.push_back(utf8FromWide(path));
    }
    DefWindowProcA(window_, WM_DROPFILES, wParam, lParam);
    DragFinish(drop);
    listPaths(paths);
    SetForegroundWindow(window_);
    SetFocus(fileList_);
    return TRUE;
}

// A cancel, and a dialog that fails (also for a choice too long even for its buffer), add
// nothing and report nothing.
INT_PTR MainDialog::listFiles(WPARAM, LPARAM) {
    std::vector<wchar_t> names(chosenNamesBuffer, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window_;
    dialog.lpstrFilter = allFilesFilter;
    dialog.lpstrFile = names.data();
    dialog.nMaxFile = chosenNamesBuffer;
    dialog.lpstrDefExt = L"*.*";
    dialog.Flags = openFileFlags;
    if (!GetOpenFileNameW(&dialog))
        return TRUE;
    listPaths(chosenFiles(utf8FromWide(std::wstring_view(names.data(), names.size())),
                          TableCodePage(utf8CodePage)));
    SetFocus(fileList_);
    return TRUE;
}

INT_PTR MainDialog::unlistPressed(WPARAM, LPARAM) {
    unlistSelected();
    return TRUE;
}

void MainDialog::unlistSelected() {
    const std::vector<unsigned> rows = selectedRows([this](int after) {
        return static_cast<int>(
            SendMessageA(fileList_, LVM_GETNEXTITEM, after, MAKELPARAM(LVNI_SELECTED, 0)));
    });
    deleteRows(rows, [this](int row) { SendMessageA(fileList_, LVM_DELETEITEM, row, 0); });
    // The rows left may no longer conflict, or conflict otherwise.
    if (!rows.empty() && renameArmed() != 0)
        pass_->showForecast();
}

// Delete with any modifier removes the selected rows; Ctrl+A selects every row. Every key
// goes on to the list's own handling.
INT_PTR MainDialog::listKeyDown(WPARAM, LPARAM lParam) {
    const auto* key = reinterpret_cast<const NMLVKEYDOWN*>(lParam);
    if (key->wVKey == VK_DELETE)
        unlistSelected();
    if (key->wVKey == 'A') {
        const int mask = intPower(2, keyDownBit);
        const int control = GetKeyState(VK_CONTROL);
        if ((control & mask) != 0)
            selectAllRows();
    }
    return notificationResult(0);
}

void MainDialog::selectAllRows() {
    for (int row = 0; row < static_cast<int>(SendMessageA(fileList_, LVM_GETITEMCOUNT, 0, 0));
         ++row) {
        LVITEMA state{};
        state.stateMask = LVIS_SELECTED;
        state.state = LVIS_SELECTED;
        SendMessageA(fileList_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    }
}
