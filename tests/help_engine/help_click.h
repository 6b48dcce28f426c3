#pragma once

#include <windows.h>

// What the end-to-end driver asks `clickForHelp` of help_click.dll to send: WM_HELP to
// `window` for a click on `item` (control id `controlId`) at `at`.
struct HelpClick {
    HWND window;
    HWND item;
    int controlId;
    POINT at;
};
