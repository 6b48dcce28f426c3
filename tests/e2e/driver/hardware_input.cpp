#include "hardware_input.h"

#include "wait.h"
#include "window_query.h"

#include <vector>

namespace e2e {

namespace {

INPUT key(UINT virtualKey, bool release) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(virtualKey);
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = release ? KEYEVENTF_KEYUP : 0;
    return input;
}

} // namespace

bool pressKeyAsUser(HWND window, UINT virtualKey, std::initializer_list<UINT> held) {
    SetForegroundWindow(window);
    if (!waitUntil([&] { return GetForegroundWindow() == window; }, defaultTimeoutMs))
        return false;
    std::vector<INPUT> inputs;
    for (UINT modifier : held)
        inputs.push_back(key(modifier, false));
    inputs.push_back(key(virtualKey, false));
    inputs.push_back(key(virtualKey, true));
    for (auto modifier = std::rbegin(held); modifier != std::rend(held); ++modifier)
        inputs.push_back(key(*modifier, true));
    const UINT count = static_cast<UINT>(inputs.size());
    return SendInput(count, inputs.data(), sizeof(INPUT)) == count;
}

// The first move of a process may be lost under Wine, so the move is repeated until it shows.
bool movePointer(POINT at) {
    return waitUntil(
        [&] {
            POINT now{};
            if (GetCursorPos(&now) && now.x == at.x && now.y == at.y)
                return true;
            SetCursorPos(at.x, at.y);
            return false;
        },
        defaultTimeoutMs);
}

bool focusControl(HWND dialog, HWND control) {
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE,
                             SMTO_ABORTIFHUNG, defaultTimeoutMs, &ignored))
        return false;
    return waitUntil(
        [&] {
            const HWND focus = focusedWindowOf(dialog);
            return focus == control || (focus != nullptr && GetParent(focus) == control);
        },
        defaultTimeoutMs);
}

} // namespace e2e
