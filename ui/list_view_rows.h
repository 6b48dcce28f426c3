#pragma once

#include "file_rows.h"

#include <windows.h>

// The rows of the file list control: column texts read whole, a new name repainted the moment
// it is written.
class ListViewRows : public FileRows {
  public:
    explicit ListViewRows(HWND list) : list_(list) {}

    int count() const override;
    std::string column(int row, RowColumn column) const override;
    void setNewName(int row, std::string newName) override;
    void deleteRow(int row) override;

  private:
    HWND list_;
};
