#pragma once

#include "window_names.h"

#include <windows.h>

#include <string>

namespace help_engine {

// Shows `text` in a small pop-up window owned by `caller`'s top-level window, with its top
// centre at `at` (screen coordinates) as far as the screen's work area allows, in the caller's
// font and the system's tooltip colours. The window's text is `text`, so that it can be read
// back. Like a tooltip it does not take activation; a click anywhere, a key (which goes no
// further), or another window taking the mouse closes it, and a new pop-up closes the one
// before. Returns the pop-up, or null when it could not be made.
HWND showTextPopup(HINSTANCE module, HWND caller, const std::u16string& text, POINT at);

} // namespace help_engine
