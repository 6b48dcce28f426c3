#pragma once

#include <windows.h>

// Calls the HTML Help engine (HtmlHelpA of the HTML Help control) with the caller's window, the
// help file, an engine command and its data (a record's address or 0). Returns the window
// that the engine opened, or null when it showed nothing or cannot be loaded.
//
// The engine is loaded on first use from the HTML Help control's registered location, else as
// "hhctrl.ocx" through the normal library search, and then stays loaded for the life of the
// process. After a failed load, or when the engine lacks its entry point, every call returns
// null without trying again.
HWND callHtmlHelp(HWND window, const char* file, UINT command, DWORD_PTR data);
