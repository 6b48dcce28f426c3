#include "help_file.h"
#include "help_window.h"
#include "open_help_file.h"
#include "popup_window.h"

#include <windows.h>

#include <htmlhelp.h>

#include <cstddef>
#include <cstring>

using namespace help_engine;

namespace {

// Longer file arguments are refused.
constexpr std::size_t maxArgumentBytes = 32768;

HINSTANCE engineModule = nullptr;

// The pop-up with the text of the help number that the record names, from the text pop-up
// file that the argument names inside the help file.
HWND textPopup(HWND caller, const HelpFileName& name, DWORD_PTR data) {
    if (data == 0 || name.inner.empty())
        return nullptr;
    const auto& popup = *reinterpret_cast<const HH_POPUP*>(data);
    if (popup.cbStruct < static_cast<int>(offsetof(HH_POPUP, clrForeground)))
        return nullptr;
    const std::shared_ptr<HelpFile> file = openHelpFile(name.path);
    if (!file)
        return nullptr;
    const std::optional<std::u16string> text = file->popupText(name.inner, popup.idString);
    if (!text)
        return nullptr;
    return showTextPopup(engineModule, caller, *text, popup.pt);
}

// What HtmlHelpA does for `command`.
HWND request(HWND caller, const HelpFileName& name, UINT command, DWORD_PTR data) {
    switch (command) {
    case HH_DISPLAY_TEXT_POPUP:
        return textPopup(caller, name, data);
    case HH_DISPLAY_TOC:
        return showHelpWindow(engineModule, caller, name.path, HelpTab::contents, name.inner);
    case HH_DISPLAY_INDEX:
        return showHelpWindow(engineModule, caller, name.path, HelpTab::index, name.inner);
    case HH_DISPLAY_SEARCH:
        return showHelpWindow(engineModule, caller, name.path, HelpTab::search, name.inner);
    default:
        return nullptr;
    }
}

} // namespace

// The engine's entry point, exported at ordinal 14 as the HTML Help control's is. It takes the
// contents, index and search commands, which open the help window, and the text pop-up
// command; it returns the window it shows, or null when it shows nothing: an unreadable or
// damaged file, a help number that the file lacks, another command. No exception leaves it:
// one (memory that a damaged file's claims could not get) is a file that could not be read.
extern "C" HWND WINAPI HtmlHelpA(HWND caller, LPCSTR file, UINT command, DWORD_PTR data) {
    if (file == nullptr)
        return nullptr;
    const std::size_t length = strnlen(file, maxArgumentBytes);
    if (length == maxArgumentBytes)
        return nullptr;
    try {
        return request(caller, splitHelpFileName(std::string_view(file, length)), command, data);
    } catch (...) {
        return nullptr;
    }
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        engineModule = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
