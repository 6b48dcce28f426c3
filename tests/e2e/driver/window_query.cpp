#include "window_query.h"

#include "wait.h"

#include <vector>

namespace e2e {

std::string windowText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, defaultTimeoutMs,
                             &length))
        return {};
    // WM_GETTEXTLENGTH may count more than WM_GETTEXT gives (never less), so this suffices.
    std::vector<char> text(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, defaultTimeoutMs, &copied))
        return {};
    if (copied >= text.size())
        copied = text.size() - 1;
    return std::string(text.data(), copied);
}

std::string windowClass(HWND window) {
    char name[256] = {};
    const int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, length > 0 ? length : 0);
}

int controlId(HWND window) {
    return static_cast<int>(GetWindowLongPtrA(window, GWLP_ID));
}

DWORD windowStyle(HWND window) {
    return static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
}

DWORD windowExStyle(HWND window) {
    return static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE));
}

RECT windowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

RECT clientRect(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return rect;
}

HWND ownerOf(HWND window) {
    return GetWindow(window, GW_OWNER);
}

std::vector<HWND> childWindows(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

HWND childById(HWND parent, int id) {
    for (HWND child : childWindows(parent)) {
        if (controlId(child) == id)
            return child;
    }
    return nullptr;
}

ControlInfo describe(HWND window) {
    return ControlInfo{window,
                       controlId(window),
                       windowClass(window),
                       windowText(window),
                       windowStyle(window),
                       windowExStyle(window),
                       windowRect(window)};
}

std::vector<ControlInfo> describeChildren(HWND parent) {
    std::vector<ControlInfo> controls;
    for (HWND child : childWindows(parent))
        controls.push_back(describe(child));
    return controls;
}

HWND focusedWindowOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info))
        return nullptr;
    return info.hwndFocus;
}

} // namespace e2e
