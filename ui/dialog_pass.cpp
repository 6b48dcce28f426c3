#include "dialog_pass.h"

#include "ansi_code_page.h"
#include "resource.h"

DialogPass::DialogPass(MainApp& app, HWND window)
    : messages_(app, window), engine_(ansiCodePage(), messages_),
      rows_(GetDlgItem(window, IDC_FILES)), controls_(window),
      pass_(engine_, rows_, renamer_, controls_, messages_) {}
