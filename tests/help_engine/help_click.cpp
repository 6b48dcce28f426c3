#include "help_click.h"

// Runs as a thread of the program under test, so that the window receives the HELPINFO in
// its own address space, as it does from the platform when the caption's help button is
// pressed and a control clicked: a mode that Wine does not have.
extern "C" __declspec(dllexport) DWORD WINAPI clickForHelp(void* parameter) {
    const auto* click = static_cast<const HelpClick*>(parameter);
    HELPINFO info{};
    info.cbSize = sizeof info;
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = click->controlId;
    info.hItemHandle = click->item;
    info.dwContextId = 0;
    info.MousePos = click->at;
    return static_cast<DWORD>(
        SendMessageA(click->window, WM_HELP, 0, reinterpret_cast<LPARAM>(&info)));
}
