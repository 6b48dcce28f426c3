#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace e2e {

// 32-bit pixels (blue, green, red, unused), top row first.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> values;
};

// What the screen shows in `area` (screen coordinates), copied with GDI from the screen's DC.
Pixels captureScreen(const RECT& area);
// The whole screen.
Pixels captureWholeScreen();
// Draws `icon` at `width` by `height` on a background of one colour, as a static control of
// that size paints it.
Pixels renderIcon(HICON icon, int width, int height, std::uint32_t background);

// Writes the pixels as a 24-bit .bmp file; true on success.
bool writeBitmapFile(const Pixels& pixels, const std::string& path);

} // namespace e2e
