#include "list_view_rows.h"

#include <commctrl.h>

namespace {

constexpr int firstTextBuffer = 264;
// The longest time a deleted row may still show. A showing costs, under Wine, time in the
// number of rows (some 50 ms with 3,000 rows left), so the list is not shown more often.
constexpr ULONGLONG removalsShownWithinMs = 200;

} // namespace

int ListViewRows::count() const {
    return static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0));
}

// The control copies at most the buffer's size less one and reports how much it copied; a
// copy that fills the buffer may have been cut, so the read is repeated with a larger one.
std::string ListViewRows::column(int row, RowColumn column) const {
    std::string text(firstTextBuffer, '\0');
    while (true) {
        LVITEMA item{};
        item.iSubItem = static_cast<int>(column);
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(text.size());
        auto length = static_cast<int>(
            SendMessageA(list_, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item)));
        if (length < 0)
            length = 0;
        if (length < item.cchTextMax - 1) {
            text.resize(static_cast<std::size_t>(length));
            return text;
        }
        text.assign(text.size() * 2, '\0');
    }
}

void ListViewRows::setNewName(int row, std::string newName) {
    LVITEMA item{};
    item.iSubItem = static_cast<int>(RowColumn::NewName);
    item.pszText = newName.data();
    SendMessageA(list_, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    UpdateWindow(list_);
}

// A deletion that the list repaints at once, the rows below it and the scroll bar, costs many
// times the rename of the row's file (under Wine some ten milliseconds a row). So the list
// holds its repaints back while rows go, and shows them whenever a fifth of a second has
// passed since the first removal it has not shown.
void ListViewRows::deleteRow(int row) {
    if (!holdingRepaints_) {
        SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
        holdingRepaints_ = true;
        heldSince_ = GetTickCount64();
    }
    SendMessageA(list_, LVM_DELETEITEM, row, 0);
    if (GetTickCount64() - heldSince_ >= removalsShownWithinMs)
        showRemovals();
}

// Painted at once: the window's thread is inside a pass and handles no message until it ends.
void ListViewRows::showRemovals() {
    if (!holdingRepaints_)
        return;
    holdingRepaints_ = false;
    SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
    UpdateWindow(list_);
}

std::string ListViewRows::listedFile(int row) const {
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessageA(list_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return {};
    const auto kept = listedFiles_.find(item.lParam);
    return kept != listedFiles_.end() ? kept->second : std::string();
}

LPARAM ListViewRows::keepListedFile(std::string key) {
    if (key.empty())
        return 0;
    listedFiles_.emplace(++lastData_, std::move(key));
    return lastData_;
}

void ListViewRows::forgetListedFile(LPARAM data) {
    listedFiles_.erase(data);
}
