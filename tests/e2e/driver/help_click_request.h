#pragma once

#include "program_process.h"

#include <windows.h>

namespace e2e {

// The help request of a click on `item` (a control of `window`, or the window itself) in the
// caption's help mode, delivered as the platform delivers it: WM_HELP with a HELPINFO for
// that window, sent on the program's own thread by a thread that the driver starts inside the
// program (help_click.dll). Returns when the window has handled it; false when it could not be
// delivered.
bool clickForHelp(const ProgramProcess& program, HWND window, HWND item, POINT at);

} // namespace e2e
