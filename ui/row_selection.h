#pragma once

#include <functional>
#include <vector>

// The selected row after `after` (-1: from the start), or -1 when there is none.
using NextSelected = std::function<int(int after)>;

// The indexes of every selected row, ascending.
std::vector<unsigned> selectedRows(const NextSelected& nextSelected);

// Deletes the rows from the highest index to the lowest, so that no deletion shifts a row that
// is still to be deleted.
void deleteRows(const std::vector<unsigned>& ascending, const std::function<void(int)>& deleteRow);
