#pragma once

#include "program_process.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

// Reading the windows of the stand-in help engine (help_engine.dll) in the program under test:
// its texts in UTF-16, as the engine shows them, and where its parts lie on the screen.

// The window's text as a wide WM_GETTEXT gives it across processes, with no-break spaces read
// as spaces.
std::wstring wideText(HWND window);
// The text of a rich edit control as its character positions count it: each paragraph ends in
// a carriage return alone (WM_GETTEXT gives a line feed after it).
std::wstring richEditText(HWND richEdit);
// The program's visible top-level windows of the window class `className`.
std::vector<HWND> windowsOfClass(const ProgramProcess& program, const wchar_t* className);
// Where the character `position` of a rich edit control shows: the screen point a little
// inside its top left corner.
std::optional<POINT> characterOnScreen(HWND richEdit, long position);
// The centre of a tab control's tab `index`, on the screen.
std::optional<POINT> tabOnScreen(HWND tabs, int index);

} // namespace e2e
