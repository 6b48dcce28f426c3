#pragma once

#include <windows.h>

#include <initializer_list>

namespace e2e {

// Keys pressed as on the keyboard (SendInput), so that the platform treats them as a user's:
// F1 becomes a help request for the control with the focus, and keys held down show in the
// program's GetKeyState. They go to the window in front, so `window` is brought there first.
bool pressKeyAsUser(HWND window, UINT virtualKey, std::initializer_list<UINT> held = {});

// Moves the mouse pointer to `at` (screen coordinates) and waits until the platform reports it
// there.
bool movePointer(POINT at);

// Gives the dialog's control the keyboard focus as the dialog's own keyboard handling does
// (WM_NEXTDLGCTL), and waits until it has it.
bool focusControl(HWND dialog, HWND control);

} // namespace e2e
