#pragma once

#include "file_rows.h"

#include <windows.h>

#include <string>
#include <unordered_map>

// The rows of the file list control: column texts read whole, a new name repainted the moment
// it is written, deletions repainted a fifth of a second's worth at a time. The key of the file
// a row was listed for (fileKey) is kept here by the row's item data, which the control keeps
// with the row wherever it moves.
class ListViewRows : public FileRows {
  public:
    explicit ListViewRows(HWND list) : list_(list) {}

    int count() const override;
    std::string column(int row, RowColumn column) const override;
    void setNewName(int row, std::string newName) override;
    void deleteRow(int row) override;
    void showRemovals() override;
    std::string listedFile(int row) const override;

    // Keeps the key of the file a row is being listed for; returns the item data to give that
    // row (0 for an empty key, which keeps nothing).
    LPARAM keepListedFile(std::string key);
    // The row with this item data is going: its key goes with it.
    void forgetListedFile(LPARAM data);

  private:
    HWND list_;
    std::unordered_map<LPARAM, std::string> listedFiles_;
    LPARAM lastData_ = 0;
    // Whether the list holds back its repaints, since the first deletion not shown yet, and
    // since when.
    bool holdingRepaints_ = false;
    ULONGLONG heldSince_ = 0;
};
