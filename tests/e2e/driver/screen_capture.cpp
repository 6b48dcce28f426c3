#include "screen_capture.h"

#include <cstring>

namespace e2e {

namespace {

// Lets `paint` draw into a top-down 32-bit DIB section of `width` by `height` pixels and
// returns its bits.
template <typename Paint> Pixels drawIntoDib(int width, int height, Paint paint) {
    Pixels pixels;
    if (width <= 0 || height <= 0)
        return pixels;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HDC memory = CreateCompatibleDC(nullptr);
    const HBITMAP dib = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dib != nullptr && bits != nullptr) {
        const HGDIOBJ former = SelectObject(memory, dib);
        paint(memory);
        GdiFlush();
        pixels.width = width;
        pixels.height = height;
        pixels.values.resize(static_cast<std::size_t>(width) * height);
        std::memcpy(pixels.values.data(), bits, pixels.values.size() * sizeof(std::uint32_t));
        SelectObject(memory, former);
    }
    if (dib != nullptr)
        DeleteObject(dib);
    DeleteDC(memory);
    return pixels;
}

} // namespace

Pixels captureScreen(const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    const HDC screen = GetDC(nullptr);
    Pixels pixels = drawIntoDib(width, height, [&](HDC memory) {
        BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    });
    ReleaseDC(nullptr, screen);
    return pixels;
}

Pixels captureWholeScreen() {
    const RECT screen{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                      GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                      GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    return captureScreen(screen);
}

Pixels renderIcon(HICON icon, int width, int height, std::uint32_t background) {
    return drawIntoDib(width, height, [&](HDC memory) {
        const HBRUSH brush = CreateSolidBrush(
            RGB(background >> 16 & 0xFF, background >> 8 & 0xFF, background & 0xFF));
        const RECT all{0, 0, width, height};
        FillRect(memory, &all, brush);
        DeleteObject(brush);
        DrawIconEx(memory, 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
    });
}

bool writeBitmapFile(const Pixels& pixels, const std::string& path) {
    if (pixels.width <= 0 || pixels.height <= 0)
        return false;
    const DWORD rowBytes = (static_cast<DWORD>(pixels.width) * 3 + 3) & ~3u;
    const DWORD imageBytes = rowBytes * static_cast<DWORD>(pixels.height);
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER header{};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + imageBytes;
    header.biSize = sizeof header;
    header.biWidth = pixels.width;
    header.biHeight = pixels.height; // bottom-up, as every viewer reads it
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = imageBytes;
    std::vector<unsigned char> image(imageBytes, 0);
    for (int y = 0; y < pixels.height; ++y) {
        unsigned char* row =
            image.data() + static_cast<std::size_t>(pixels.height - 1 - y) * rowBytes;
        for (int x = 0; x < pixels.width; ++x) {
            const std::uint32_t p = pixels.values[static_cast<std::size_t>(y) * pixels.width + x];
            row[3 * x] = p & 0xFF;
            row[3 * x + 1] = p >> 8 & 0xFF;
            row[3 * x + 2] = p >> 16 & 0xFF;
        }
    }
    const HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(out, &file, sizeof file, &written, nullptr) && written == sizeof file;
    ok =
        ok && WriteFile(out, &header, sizeof header, &written, nullptr) && written == sizeof header;
    ok = ok && WriteFile(out, image.data(), imageBytes, &written, nullptr) && written == imageBytes;
    CloseHandle(out);
    return ok;
}

} // namespace e2e
