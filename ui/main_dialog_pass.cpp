#include "dialog_pass.h"
#include "main_dialog.h"

#include "ansi_code_page.h"
#include "resource.h"

#include <commctrl.h>

DialogPass::DialogPass(WindowApplication& app, HWND window)
    : messages_(app, window), engine_(ansiCodePage(), messages_, matcher_),
      rows_(GetDlgItem(window, IDC_FILES)), controls_(window),
      pass_(engine_, rows_, renamer_, controls_, messages_) {}

// The pass exists from the start of the window's initialisation, before any row is added.

int MainDialog::renameArmed() const {
    return pass_ != nullptr ? pass_->pass().renameArmed() : 0;
}

INT_PTR MainDialog::runAction(WPARAM, LPARAM) {
    pass_->pass().runAction();
    return TRUE;
}

INT_PTR MainDialog::resetToTest(WPARAM, LPARAM) {
    pass_->pass().namesMayBeStale();
    return TRUE;
}

INT_PTR MainDialog::rowInserted(WPARAM, LPARAM) {
    if (pass_ != nullptr)
        pass_->pass().namesMayBeStale();
    return notificationResult(0);
}

// The list still counts the row that is going.
INT_PTR MainDialog::rowDeleting(WPARAM, LPARAM lParam) {
    if (pass_ != nullptr) {
        pass_->rows().forgetListedFile(reinterpret_cast<const NMLISTVIEW*>(lParam)->lParam);
        pass_->pass().rowDeleting(
            static_cast<int>(SendMessageA(fileList_, LVM_GETITEMCOUNT, 0, 0)));
    }
    return notificationResult(0);
}

// A dialog answers a notification through its message result.
INT_PTR MainDialog::notificationResult(LRESULT result) {
    SetWindowLongPtrA(window_, DWLP_MSGRESULT, result);
    return TRUE;
}
