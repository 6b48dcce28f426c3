#include "popup_window.h"

#include "window_font.h"

#include <algorithm>

namespace help_engine {

namespace {

constexpr int marginX = 8;
constexpr int marginY = 6;
// The widest a pop-up's text grows before it wraps, in pixels.
constexpr int maxTextWidth = 360;
constexpr UINT textFormat = DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS;

HWND shownPopup = nullptr;
// While a pop-up is shown, the keys of its thread come here first.
HHOOK keyboardHook = nullptr;

// What a pop-up keeps: its text and the font it draws it with.
struct PopupState {
    std::wstring text;
    HFONT font = nullptr;
};

// A key pressed while the pop-up is shown closes it and goes no further: Esc or Enter must not
// reach the window behind it.
LRESULT CALLBACK keyPressed(int code, WPARAM key, LPARAM flags) {
    const bool down = (flags & 0x80000000) == 0;
    if (code < 0 || shownPopup == nullptr)
        return CallNextHookEx(nullptr, code, key, flags);
    if (code == HC_ACTION && down)
        PostMessageW(shownPopup, WM_CLOSE, 0, 0);
    return 1;
}

PopupState* stateOf(HWND window) {
    return reinterpret_cast<PopupState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void paint(HWND window) {
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(window, &paint);
    const PopupState* state = stateOf(window);
    if (dc == nullptr || state == nullptr) {
        EndPaint(window, &paint);
        return;
    }
    RECT area{};
    GetClientRect(window, &area);
    FillRect(dc, &area, GetSysColorBrush(COLOR_INFOBK));
    const HGDIOBJ former = SelectObject(dc, state->font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    InflateRect(&area, -marginX, -marginY);
    DrawTextW(dc, state->text.c_str(), static_cast<int>(state->text.size()), &area, textFormat);
    SelectObject(dc, former);
    EndPaint(window, &paint);
}

LRESULT CALLBACK popupProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        paint(window);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        // The pop-up holds the mouse capture: a click anywhere comes here.
        DestroyWindow(window);
        return 0;
    case WM_CAPTURECHANGED:
        // Another window took the mouse, or the user went to another program.
        PostMessageW(window, WM_CLOSE, 0, 0);
        return 0;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_HELP:
        return TRUE;
    case WM_DESTROY:
        if (shownPopup == window) {
            shownPopup = nullptr;
            UnhookWindowsHookEx(keyboardHook);
            keyboardHook = nullptr;
        }
        return 0;
    case WM_NCDESTROY:
        if (PopupState* state = stateOf(window)) {
            DeleteObject(state->font);
            delete state;
        }
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

bool registerPopupClass(HINSTANCE module) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DROPSHADOW | CS_SAVEBITS;
    windowClass.lpfnWndProc = popupProcedure;
    windowClass.hInstance = module;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = popupWindowClass;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// The pop-up's place: its top centre at `at`, moved into the work area of the monitor there.
RECT placed(POINT at, SIZE size) {
    RECT place{at.x - size.cx / 2, at.y, at.x - size.cx / 2 + size.cx, at.y + size.cy};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &monitor))
        return place;
    const RECT& work = monitor.rcWork;
    const LONG dx = std::max(work.left - place.left, std::min(0L, work.right - place.right));
    const LONG dy = std::max(work.top - place.top, std::min(0L, work.bottom - place.bottom));
    OffsetRect(&place, dx, dy);
    return place;
}

} // namespace

HWND showTextPopup(HINSTANCE module, HWND caller, const std::u16string& text, POINT at) {
    if (!registerPopupClass(module))
        return nullptr;
    if (shownPopup != nullptr)
        DestroyWindow(shownPopup);
    const LOGFONTW look = windowFont(caller);
    auto* state =
        new PopupState{std::wstring(text.begin(), text.end()), CreateFontIndirectW(&look)};
    const wchar_t* wide = state->text.c_str();

    RECT textArea{0, 0, maxTextWidth, 0};
    if (const HDC dc = GetDC(nullptr)) {
        const HGDIOBJ former = SelectObject(dc, state->font);
        DrawTextW(dc, wide, static_cast<int>(state->text.size()), &textArea,
                  textFormat | DT_CALCRECT);
        SelectObject(dc, former);
        ReleaseDC(nullptr, dc);
    }
    const SIZE size{textArea.right + 2 * marginX + 2 * GetSystemMetrics(SM_CXBORDER),
                    textArea.bottom + 2 * marginY + 2 * GetSystemMetrics(SM_CYBORDER)};
    const RECT place = placed(at, size);
    const HWND owner = caller != nullptr ? GetAncestor(caller, GA_ROOT) : nullptr;
    const HWND popup = CreateWindowExW(
        WS_EX_TOOLWINDOW, popupWindowClass, wide, WS_POPUP | WS_BORDER, place.left, place.top,
        place.right - place.left, place.bottom - place.top, owner, nullptr, module, nullptr);
    if (popup == nullptr) {
        DeleteObject(state->font);
        delete state;
        return nullptr;
    }
    SetWindowLongPtrW(popup, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    // Shown as a tooltip is, without taking activation from the caller: so the platform puts it
    // exactly where it is asked to (under X11, no window manager places it), and closing it does
    // not wait for one.
    SetWindowPos(popup, HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    shownPopup = popup;
    keyboardHook = SetWindowsHookExW(WH_KEYBOARD, keyPressed, nullptr, GetCurrentThreadId());
    SetCapture(popup);
    return popup;
}

} // namespace help_engine
