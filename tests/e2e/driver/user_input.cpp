#include "user_input.h"

#include "program_process.h"
#include "wait.h"
#include "window_query.h"

#include <string>

namespace e2e {

namespace {

LPARAM keyData(UINT virtualKey, bool release, bool alt) {
    const UINT scanCode = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    LPARAM data = 1 | static_cast<LPARAM>(scanCode & 0xFF) << 16;
    if (alt)
        data |= LPARAM{1} << 29;
    if (release)
        data |= LPARAM{3} << 30;
    return data;
}

HWND editOf(HWND comboOrEdit) {
    if (_stricmp(windowClass(comboOrEdit).c_str(), "Edit") == 0)
        return comboOrEdit;
    return FindWindowExA(comboOrEdit, nullptr, "Edit", nullptr);
}

HWND findPopupMenu(DWORD processId) {
    for (HWND window : visibleTopLevelWindows(processId)) {
        if (windowClass(window) == "#32768")
            return window;
    }
    return nullptr;
}

} // namespace

bool typeText(HWND comboOrEdit, std::string_view ansiText) {
    const int units = MultiByteToWideChar(CP_ACP, 0, ansiText.data(),
                                          static_cast<int>(ansiText.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansiText.data(), static_cast<int>(ansiText.size()), wide.data(),
                        units);
    return typeText(comboOrEdit, std::wstring_view(wide));
}

bool typeText(HWND comboOrEdit, std::wstring_view text) {
    const HWND edit = editOf(comboOrEdit);
    if (edit == nullptr)
        return false;
    for (wchar_t unit : text) {
        DWORD_PTR ignored = 0;
        if (!SendMessageTimeoutW(edit, WM_CHAR, unit, 1, SMTO_ABORTIFHUNG, defaultTimeoutMs,
                                 &ignored))
            return false;
    }
    return true;
}

bool typeReplacing(HWND comboOrEdit, std::string_view ansiText) {
    const HWND edit = editOf(comboOrEdit);
    if (edit == nullptr)
        return false;
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(edit, EM_SETSEL, 0, -1, SMTO_ABORTIFHUNG, defaultTimeoutMs, &ignored);
    return typeText(edit, "\b" + std::string(ansiText));
}

bool clickButton(HWND button) {
    return PostMessageA(button, BM_CLICK, 0, 0) != 0;
}

bool pressKey(HWND target, UINT virtualKey) {
    return PostMessageA(target, WM_KEYDOWN, virtualKey, keyData(virtualKey, false, false)) &&
           PostMessageA(target, WM_KEYUP, virtualKey, keyData(virtualKey, true, false));
}

bool pressKeyOnFocus(HWND window, UINT virtualKey) {
    const HWND focus = focusedWindowOf(window);
    return pressKey(focus != nullptr ? focus : window, virtualKey);
}

bool pressCloseBox(HWND window) {
    return PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0) != 0;
}

bool chooseSystemMenuClose(HWND window, DWORD timeoutMs) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (!PostMessageA(window, WM_SYSKEYDOWN, VK_SPACE, keyData(VK_SPACE, false, true)) ||
        !PostMessageA(window, WM_SYSKEYUP, VK_SPACE, keyData(VK_SPACE, true, true)))
        return false;
    HWND menu = nullptr;
    if (!waitUntil([&] { return (menu = findPopupMenu(processId)) != nullptr; }, timeoutMs))
        return false;
    // The menu's own loop reads the keys from the thread's queue, whatever window they name.
    return PostMessageA(window, WM_CHAR, 'c', keyData('C', false, false)) != 0;
}

} // namespace e2e
