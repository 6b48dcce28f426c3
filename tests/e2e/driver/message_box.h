#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

enum class BoxIcon { none, error, question, warning, information, unrecognised };
const char* iconName(BoxIcon icon);

struct BoxButton {
    int id = 0;
    std::string text;
    HWND window = nullptr;
};

// What a user sees of a message box.
struct MessageBoxView {
    HWND window = nullptr;
    HWND owner = nullptr;
    std::string caption;
    std::string text;
    BoxIcon icon = BoxIcon::none;
    std::vector<BoxButton> buttons; // the visible ones, in Z order
};

// A dialog (#32770) that carries the message text static (id 0xFFFF) that the platform's
// message boxes have.
bool isMessageBox(HWND window);
MessageBoxView readMessageBox(HWND box);

// Which of the platform's standard icons (LoadIcon(NULL, IDI_...)) the SS_ICON static shows,
// told by comparing what it shows on the screen with each of them drawn in the same place;
// none when it holds no icon. Icon handles cannot be compared across processes (under Wine
// each process loads the standard icons anew).
BoxIcon identifyIcon(HWND iconStatic);

// Clicks the box's button `id` (BM_CLICK, posted); false when the box has no such button.
bool pressBoxButton(HWND box, int id);

} // namespace e2e
