#include "message_box.h"

#include "screen_capture.h"
#include "wait.h"
#include "window_query.h"

#include <cstdlib>

namespace e2e {

namespace {

constexpr int messageTextId = 0xFFFF;

bool isIconStatic(HWND window) {
    return _stricmp(windowClass(window).c_str(), "Static") == 0 &&
           (windowStyle(window) & SS_TYPEMASK) == SS_ICON;
}

bool isButton(HWND window) {
    return _stricmp(windowClass(window).c_str(), "Button") == 0;
}

// How many pixels differ by more than a trace in any colour channel.
int differingPixels(const Pixels& a, const Pixels& b) {
    if (a.width != b.width || a.height != b.height)
        return a.width * a.height + b.width * b.height;
    int count = 0;
    for (std::size_t i = 0; i < a.values.size(); ++i) {
        for (int shift = 0; shift < 24; shift += 8) {
            const int pa = static_cast<int>(a.values[i] >> shift & 0xFF);
            const int pb = static_cast<int>(b.values[i] >> shift & 0xFF);
            if (std::abs(pa - pb) > 8) {
                ++count;
                break;
            }
        }
    }
    return count;
}

} // namespace

const char* iconName(BoxIcon icon) {
    switch (icon) {
    case BoxIcon::none:
        return "none";
    case BoxIcon::error:
        return "error";
    case BoxIcon::question:
        return "question";
    case BoxIcon::warning:
        return "warning";
    case BoxIcon::information:
        return "information";
    case BoxIcon::unrecognised:
        break;
    }
    return "unrecognised";
}

bool isMessageBox(HWND window) {
    return windowClass(window) == "#32770" && childById(window, messageTextId) != nullptr;
}

BoxIcon identifyIcon(HWND iconStatic) {
    DWORD_PTR icon = 0;
    if (!IsWindowVisible(iconStatic) ||
        !SendMessageTimeoutA(iconStatic, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, defaultTimeoutMs,
                             &icon) ||
        icon == 0)
        return BoxIcon::none;
    const Pixels shown = captureScreen(windowRect(iconStatic));
    if (shown.values.empty())
        return BoxIcon::unrecognised;
    // Standard icons leave their corners transparent, so a corner shows the background.
    const std::uint32_t background = shown.values.front() & 0xFFFFFF;
    struct Candidate {
        BoxIcon icon;
        LPCSTR resource;
    };
    const Candidate candidates[] = {{BoxIcon::error, IDI_ERROR},
                                    {BoxIcon::question, IDI_QUESTION},
                                    {BoxIcon::warning, IDI_WARNING},
                                    {BoxIcon::information, IDI_INFORMATION}};
    BoxIcon best = BoxIcon::unrecognised;
    int bestDifference = shown.width * shown.height / 10 + 1; // at most a tenth may differ
    for (const Candidate& c : candidates) {
        const Pixels drawn =
            renderIcon(LoadIconA(nullptr, c.resource), shown.width, shown.height, background);
        const int difference = differingPixels(shown, drawn);
        if (difference < bestDifference) {
            bestDifference = difference;
            best = c.icon;
        }
    }
    return best;
}

MessageBoxView readMessageBox(HWND box) {
    MessageBoxView view;
    view.window = box;
    view.owner = ownerOf(box);
    view.caption = windowText(box);
    if (HWND text = childById(box, messageTextId))
        view.text = windowText(text);
    for (HWND child : childWindows(box)) {
        if (!IsWindowVisible(child))
            continue;
        if (isIconStatic(child))
            view.icon = identifyIcon(child);
        else if (isButton(child))
            view.buttons.push_back(BoxButton{controlId(child), windowText(child), child});
    }
    return view;
}

bool pressBoxButton(HWND box, int id) {
    for (HWND child : childWindows(box)) {
        if (isButton(child) && IsWindowVisible(child) && controlId(child) == id)
            return PostMessageA(child, BM_CLICK, 0, 0) != 0;
    }
    return false;
}

} // namespace e2e
