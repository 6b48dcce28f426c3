#pragma once

#include <windows.h>

#include <string>

// The whole window text of a window or control, however long.
std::string windowText(HWND window);
