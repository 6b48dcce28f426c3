#include "main_dialog.h"

#include "resource.h"
#include "settings_key.h"
#include "settings_values.h"

namespace {

void loadHistory(const SettingsKey& key, HWND box, const char* format) {
    for (int i = 0; i < storedHistoryEntries; ++i) {
        if (auto text = key.readText(historyValueName(format, i), historyReadLimit))
            SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text->c_str()));
    }
}

// Every entry is stored whole, its length asked first; values beyond the list's count keep
// what an earlier run stored.
void saveHistory(const SettingsKey& key, HWND box, const char* format) {
    for (int i = 0; i < static_cast<int>(SendMessageA(box, CB_GETCOUNT, 0, 0)); ++i) {
        const auto length = static_cast<int>(SendMessageA(box, CB_GETLBTEXTLEN, i, 0));
        if (length < 0)
            continue;
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        const auto read = static_cast<int>(
            SendMessageA(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data())));
        text.resize(read < 0 ? 0 : static_cast<std::size_t>(read));
        key.writeText(historyValueName(format, i), text);
    }
}

// The rectangle of the window as it shows when it is not minimised: a minimised window lies
// off the screen, and its position there would open the next run where nobody sees it.
RECT restoredRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!IsIconic(window) || !GetWindowPlacement(window, &placement))
        return rect;
    // The placement is in workspace coordinates: the work area's corner is their origin.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    RECT normal = placement.rcNormalPosition;
    if (GetMonitorInfoA(MonitorFromRect(&normal, MONITOR_DEFAULTTOPRIMARY), &monitor))
        OffsetRect(&normal, monitor.rcWork.left - monitor.rcMonitor.left,
                   monitor.rcWork.top - monitor.rcMonitor.top);
    return normal;
}

} // namespace

// A stored position that lies on no monitor any more (a screen that was unplugged) is not
// applied, so the window comes up centred instead of where nobody can see it.
void MainDialog::loadSettings() {
    SettingsKey key;
    loadHistory(key, GetDlgItem(window_, IDC_SEARCH), searchHistoryFormat);
    loadHistory(key, GetDlgItem(window_, IDC_REPLACE), replaceHistoryFormat);
    RECT rect{};
    GetWindowRect(window_, &rect);
    const std::optional<DWORD> x = key.readNumber(positionXName);
    if (!x)
        return;
    const std::optional<DWORD> y = key.readNumber(positionYName);
    if (!y)
        return;
    const POINT corner{static_cast<LONG>(*x), static_cast<LONG>(*y)};
    if (MonitorFromPoint(corner, MONITOR_DEFAULTTONULL) == nullptr)
        return;
    MoveWindow(window_, corner.x, corner.y, rect.right - rect.left, rect.bottom - rect.top, FALSE);
}

void MainDialog::saveSettings() {
    SettingsKey key;
    saveHistory(key, GetDlgItem(window_, IDC_SEARCH), searchHistoryFormat);
    saveHistory(key, GetDlgItem(window_, IDC_REPLACE), replaceHistoryFormat);
    const RECT rect = restoredRect(window_);
    key.writeNumber(positionXName, static_cast<DWORD>(rect.left));
    key.writeNumber(positionYName, static_cast<DWORD>(rect.top));
}

// The controls still exist while their parent handles WM_DESTROY.
INT_PTR MainDialog::storeSettings(WPARAM, LPARAM) {
    saveSettings();
    return FALSE;
}
