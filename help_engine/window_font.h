#pragma once

#include <windows.h>

#include <string>

namespace help_engine {

// The font the window `window` shows its text in (as WM_GETFONT gives it), else the system's
// message font: the pop-ups and the help window show their text as the program does, so
// Japanese shows with the program's Japanese face.
LOGFONTW windowFont(HWND window);

// A fixed-pitch face for text of the code page `codePage`.
std::wstring fixedPitchFace(unsigned codePage);

// The character set of the code page `codePage`, for fonts that must hold its characters.
BYTE charsetOf(unsigned codePage);

} // namespace help_engine
