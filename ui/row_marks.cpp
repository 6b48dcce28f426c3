#include "row_marks.h"

#include <commctrl.h>

namespace {

// Where INDEXTOSTATEIMAGEMASK puts a state image index.
constexpr int stateImageShift = 12;

void setMark(HWND list, WPARAM row, RowMark mark) {
    LVITEMA item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(static_cast<UINT>(mark));
    SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

} // namespace

// The rows are put back first, so only the marked ones are told each.
void RowMarks::mark(const std::vector<RowMark>& marks) {
    clear();
    for (std::size_t row = 0; row < marks.size(); ++row) {
        if (marks[row] == RowMark::none)
            continue;
        setMark(list_, row, marks[row]);
        marked_ = true;
    }
    if (marked_)
        InvalidateRect(list_, nullptr, TRUE);
}

// One message puts every row back (row -1 stands for all).
void RowMarks::clear() {
    if (!marked_)
        return;
    setMark(list_, static_cast<WPARAM>(-1), RowMark::none);
    marked_ = false;
    InvalidateRect(list_, nullptr, TRUE);
}

RowMark RowMarks::of(HWND list, int row) {
    const auto state =
        static_cast<UINT>(SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK));
    return static_cast<RowMark>((state & LVIS_STATEIMAGEMASK) >> stateImageShift);
}
