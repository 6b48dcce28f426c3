#include "row_selection.h"

// A list that answered with an index at or before the last one found would walk for ever: the
// walk stops there.
std::vector<unsigned> selectedRows(const NextSelected& nextSelected) {
    std::vector<unsigned> rows;
    int last = -1;
    for (int row = nextSelected(-1); row > last; row = nextSelected(row)) {
        rows.push_back(static_cast<unsigned>(row));
        last = row;
    }
    return rows;
}

void deleteRows(const std::vector<unsigned>& ascending, const std::function<void(int)>& deleteRow) {
    for (auto row = ascending.rbegin(); row != ascending.rend(); ++row)
        deleteRow(static_cast<int>(*row));
}
