#include "combo_history.h"

int ComboHistory::selection() const {
    auto selected = static_cast<int>(SendMessageA(box_, CB_GETCURSEL, 0, 0));
    return selected == CB_ERR ? -1 : selected;
}

int ComboHistory::count() const {
    return static_cast<int>(SendMessageA(box_, CB_GETCOUNT, 0, 0));
}

void ComboHistory::remove(int index) {
    SendMessageA(box_, CB_DELETESTRING, index, 0);
}

void ComboHistory::insertAtTop(const std::string& text) {
    SendMessageA(box_, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}
