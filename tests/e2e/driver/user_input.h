#pragma once

#include <windows.h>

#include <string_view>

namespace e2e {

// Input as a user gives it, sent to the windows of another process.

// Types `ansiText` (code page 932 bytes) into the edit field of a combo box (or into an edit
// control), one WM_CHAR per character, so that the control raises its own change
// notifications. Sent, so the text is in the box when this returns.
bool typeText(HWND comboOrEdit, std::string_view ansiText);
// The same with wide characters, for text that code page 932 cannot hold.
bool typeText(HWND comboOrEdit, std::wstring_view text);
// Selects what the field holds, clears it with a backspace and types `ansiText` in its place.
bool typeReplacing(HWND comboOrEdit, std::string_view ansiText);

// Clicks a push button (BM_CLICK). Posted, so a message box that the click opens does not
// block the caller: wait for what the click is to bring about.
bool clickButton(HWND button);

// Presses and releases the key `virtualKey` on `target` (WM_KEYDOWN, WM_KEYUP), posted to the
// program's queue so that the dialog's own keyboard handling (Enter, Esc, Tab) sees it.
bool pressKey(HWND target, UINT virtualKey);
// The same on whatever control of `window`'s thread has the focus, or on `window` if none has.
bool pressKeyOnFocus(HWND window, UINT virtualKey);

// The close box of the caption: WM_SYSCOMMAND SC_CLOSE.
bool pressCloseBox(HWND window);
// Opens the window's system menu from the keyboard (Alt+Space), waits for the menu to show
// and chooses its Close item by its mnemonic; false when the menu did not open.
bool chooseSystemMenuClose(HWND window, DWORD timeoutMs);

} // namespace e2e
