#include "main_dialog.h"

// While the window is minimised its client area shows the application's icon, centred.
INT_PTR MainDialog::paintMinimised(WPARAM, LPARAM) {
    if (!IsIconic(window_))
        return FALSE;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    if (dc == nullptr)
        return TRUE;
    SendMessageA(window_, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    int iconWidth = GetSystemMetrics(SM_CXICON);
    int iconHeight = GetSystemMetrics(SM_CYICON);
    RECT client{};
    GetClientRect(window_, &client);
    int x = (client.right - client.left - iconWidth + 1) / 2;
    int y = (client.bottom - client.top - iconHeight + 1) / 2;
    DrawIcon(dc, x, y, appIcon_);
    EndPaint(window_, &paint);
    return TRUE;
}

// The image shown while the minimised window is dragged.
INT_PTR MainDialog::queryDragIcon(WPARAM, LPARAM) {
    return reinterpret_cast<INT_PTR>(appIcon_);
}

INT_PTR MainDialog::endWithCancel(WPARAM, LPARAM) {
    EndDialog(window_, IDCANCEL);
    return TRUE;
}
