#include "main_dialog.h"

#include "dialog_pass.h"
#include "window_application.h"

#include "resource.h"

MainDialog::MainDialog(WindowApplication& app, HWND owner)
    : app_(app), owner_(owner),
      appIcon_(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APP))) {}

// The icon is a shared resource icon and is never destroyed.
MainDialog::~MainDialog() {
    if (comboFont_ != nullptr)
        DeleteObject(comboFont_);
}

INT_PTR MainDialog::run() {
    INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MAIN), owner_,
                                     dialogProc, reinterpret_cast<LPARAM>(this));
    window_ = nullptr;
    return result;
}

// Keeps the object with its window from WM_INITDIALOG on and hands every later message to it.
INT_PTR CALLBACK MainDialog::dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<MainDialog*>(lParam);
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        self->window_ = window;
        return self->initialise();
    }
    auto* self = reinterpret_cast<MainDialog*>(GetWindowLongPtrA(window, DWLP_USER));
    return self != nullptr ? self->handleEvent(message, wParam, lParam) : FALSE;
}
