#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// Reading windows of another process. Texts travel as code page 932 bytes (the ANSI code
// page of the test and of the program alike).

// The window's text as WM_GETTEXT gives it, which for a combo box is the text of its field.
std::string windowText(HWND window);
std::string windowClass(HWND window);
int controlId(HWND window);
DWORD windowStyle(HWND window);
DWORD windowExStyle(HWND window);
// Screen coordinates.
RECT windowRect(HWND window);
// Client coordinates: left and top are 0.
RECT clientRect(HWND window);
HWND ownerOf(HWND window);

// The direct children of `parent` in Z order, which for the controls of a dialog is the order
// of its template and so the tab order.
std::vector<HWND> childWindows(HWND parent);
// The first direct child with this id, or null.
HWND childById(HWND parent, int id);

struct ControlInfo {
    HWND window = nullptr;
    int id = 0;
    std::string className;
    std::string text;
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT rect{}; // screen coordinates
};

ControlInfo describe(HWND window);
std::vector<ControlInfo> describeChildren(HWND parent);

// The window that has the keyboard focus in the thread that owns `window`, or null.
HWND focusedWindowOf(HWND window);

} // namespace e2e
