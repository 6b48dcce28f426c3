#include "engine_windows.h"

#include "remote_buffer.h"
#include "wait.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>

namespace e2e {

std::wstring wideText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, defaultTimeoutMs,
                             &length))
        return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, defaultTimeoutMs, &copied))
        return {};
    text.resize(std::min<std::size_t>(copied, length));
    std::replace(text.begin(), text.end(), L'\u00A0', L' ');
    return text;
}

std::wstring richEditText(HWND richEdit) {
    std::wstring text = wideText(richEdit);
    std::wstring::size_type kept = 0;
    for (std::wstring::size_type i = 0; i < text.size(); ++i) {
        if (!(text[i] == L'\n' && i > 0 && text[i - 1] == L'\r'))
            text[kept++] = text[i];
    }
    text.resize(kept);
    return text;
}

std::vector<HWND> windowsOfClass(const ProgramProcess& program, const wchar_t* className) {
    std::vector<HWND> found;
    for (HWND window : program.visibleWindows()) {
        wchar_t name[256] = {};
        if (GetClassNameW(window, name, 256) > 0 && std::wstring(name) == className)
            found.push_back(window);
    }
    return found;
}

std::optional<POINT> characterOnScreen(HWND richEdit, long position) {
    RemoteBuffer buffer(richEdit, sizeof(POINTL));
    DWORD_PTR ignored = 0;
    POINTL at{};
    if (!buffer.valid() ||
        !SendMessageTimeoutW(richEdit, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(buffer.address()),
                             position, SMTO_ABORTIFHUNG, defaultTimeoutMs, &ignored) ||
        !buffer.read(&at, sizeof at))
        return std::nullopt;
    POINT point{at.x + 4, at.y + 6};
    if (!ClientToScreen(richEdit, &point))
        return std::nullopt;
    return point;
}

std::optional<POINT> tabOnScreen(HWND tabs, int index) {
    RemoteBuffer buffer(tabs, sizeof(RECT));
    DWORD_PTR got = 0;
    RECT rect{};
    if (!buffer.valid() ||
        !SendMessageTimeoutW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index),
                             reinterpret_cast<LPARAM>(buffer.address()), SMTO_ABORTIFHUNG,
                             defaultTimeoutMs, &got) ||
        got == 0 || !buffer.read(&rect, sizeof rect))
        return std::nullopt;
    POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    if (!ClientToScreen(tabs, &centre))
        return std::nullopt;
    return centre;
}

} // namespace e2e
