#pragma once

#include <windows.h>

#include <vector>

namespace e2e {

// Input through the platform's input queue (SendInput), as a user's mouse and keyboard give
// it: the program's key state (GetKeyState) then holds the keys that are down.

// Moves the pointer to the centre of `window` and clicks the left button there, which gives
// the window under the pointer the keyboard focus.
bool clickCentre(HWND window);
// The same at the point `at` of the screen.
bool clickAt(POINT at);
// Presses and releases `key` while the `modifiers` (VK_SHIFT, VK_CONTROL, VK_MENU) are held.
bool pressChord(const std::vector<WORD>& modifiers, WORD key);

} // namespace e2e
