#include "combo_box.h"

#include "wait.h"

namespace e2e {

namespace {

LRESULT sendToBox(HWND combo, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(combo, message, wParam, lParam, SMTO_ABORTIFHUNG, defaultTimeoutMs,
                             &result))
        return CB_ERR;
    return static_cast<LRESULT>(result);
}

std::string ansiOf(const std::wstring& wide) {
    const int units = static_cast<int>(wide.size());
    const int bytes =
        WideCharToMultiByte(CP_ACP, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), units, text.data(), bytes, nullptr, nullptr);
    return text;
}

} // namespace

// The platform carries CB_GETLBTEXT's text between the processes itself, but under Wine only
// as the list keeps it, in UTF-16: asked for ANSI text, a second process gets UTF-16 bytes.
std::vector<std::string> comboEntries(HWND combo) {
    std::vector<std::string> entries;
    const auto count = static_cast<int>(sendToBox(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const auto length = static_cast<int>(sendToBox(combo, CB_GETLBTEXTLEN, i, 0));
        if (length < 0) {
            entries.push_back("<unreadable>");
            continue;
        }
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        const auto read = static_cast<int>(
            sendToBox(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data())));
        text.resize(read < 0 ? 0 : static_cast<std::size_t>(read));
        entries.push_back(ansiOf(text));
    }
    return entries;
}

int comboSelection(HWND combo) {
    return static_cast<int>(sendToBox(combo, CB_GETCURSEL, 0, 0));
}

} // namespace e2e
