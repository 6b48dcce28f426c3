#pragma once

#include "file_rows.h"

#include <windows.h>

#include <vector>

// How a row of the file list is drawn. It is kept in the row's state image bits, which the
// control keeps with the row wherever it moves and does not draw: the list has no state images.
enum class RowMark : UINT {
    none = 0,
    fails = 1,         // its rename would fail: a file is at its new name when its turn comes
    sharesNewName = 2, // it gets its new name, which a later row that fails wants too
};

// The rows of the file list control: column texts read whole, a new name repainted the moment
// it is written.
class ListViewRows : public FileRows {
  public:
    explicit ListViewRows(HWND list) : list_(list) {}

    int count() const override;
    std::string column(int row, RowColumn column) const override;
    void setNewName(int row, std::string newName) override;
    void deleteRow(int row) override;

    // Marks every row as given (one mark for each row, in row order) and repaints the list.
    void markRows(const std::vector<RowMark>& marks);
    // Puts every row back to its normal look; does nothing when no row is marked.
    void unmarkRows();
    // The mark of a row of the list control.
    static RowMark markOf(HWND list, int row);

  private:
    HWND list_;
    bool marked_ = false;
};
