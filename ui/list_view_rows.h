#pragma once

#include "file_rows.h"

#include <windows.h>

// The rows of the file list control: column texts read whole, a new name repainted the moment
// it is written, deletions repainted a fifth of a second's worth at a time.
class ListViewRows : public FileRows {
  public:
    explicit ListViewRows(HWND list) : list_(list) {}

    int count() const override;
    std::string column(int row, RowColumn column) const override;
    void setNewName(int row, std::string newName) override;
    void deleteRow(int row) override;
    void showRemovals() override;

  private:
    HWND list_;
    // Whether the list holds back its repaints, since the first deletion not shown yet, and
    // since when.
    bool holdingRepaints_ = false;
    ULONGLONG heldSince_ = 0;
};
