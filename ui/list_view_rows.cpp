#include "list_view_rows.h"

#include <commctrl.h>

namespace {

constexpr int firstTextBuffer = 264;
// Where INDEXTOSTATEIMAGEMASK puts a state image index.
constexpr int stateImageShift = 12;

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

void ListViewRows::deleteRow(int row) {
    SendMessageA(list_, LVM_DELETEITEM, row, 0);
}

void ListViewRows::markRows(const std::vector<RowMark>& marks) {
    for (std::size_t row = 0; row < marks.size(); ++row) {
        LVITEMA item{};
        item.stateMask = LVIS_STATEIMAGEMASK;
        item.state = INDEXTOSTATEIMAGEMASK(static_cast<UINT>(marks[row]));
        SendMessageA(list_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    }
    marked_ = true;
    InvalidateRect(list_, nullptr, TRUE);
}

// One message puts every row back (row -1 stands for all).
void ListViewRows::unmarkRows() {
    if (!marked_)
        return;
    LVITEMA item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(static_cast<UINT>(RowMark::none));
    SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    marked_ = false;
    InvalidateRect(list_, nullptr, TRUE);
}

RowMark ListViewRows::markOf(HWND list, int row) {
    const auto state =
        static_cast<UINT>(SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK));
    return static_cast<RowMark>((state & LVIS_STATEIMAGEMASK) >> stateImageShift);
}
