#include "combo_box.h"

#include "wait.h"

namespace e2e {

namespace {

LRESULT sendToBox(HWND combo, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(combo, message, wParam, lParam, SMTO_ABORTIFHUNG, defaultTimeoutMs,
                             &result))
        return CB_ERR;
    return static_cast<LRESULT>(result);
}

} // namespace

// The platform carries CB_GETLBTEXT's text between the processes itself.
std::vector<std::string> comboEntries(HWND combo) {
    std::vector<std::string> entries;
    const auto count = static_cast<int>(sendToBox(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const auto length = static_cast<int>(sendToBox(combo, CB_GETLBTEXTLEN, i, 0));
        if (length < 0) {
            entries.push_back("<unreadable>");
            continue;
        }
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        const auto read = static_cast<int>(
            sendToBox(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data())));
        text.resize(read < 0 ? 0 : static_cast<std::size_t>(read));
        entries.push_back(text);
    }
    return entries;
}

int comboSelection(HWND combo) {
    return static_cast<int>(sendToBox(combo, CB_GETCURSEL, 0, 0));
}

} // namespace e2e
