#pragma once

#include <windows.h>

#include <vector>

// How a row of the file list is drawn after a Test.
enum class RowMark : UINT {
    none = 0,
    fails = 1,         // its rename would fail: a file is at its new name when its turn comes
    sharesNewName = 2, // it gets its new name, which a later row that fails wants too
};

// The marks of the file list's rows. A mark is kept in the row's state image bits, which the
// control keeps with the row wherever it moves and does not draw, since the list has no state
// images. Tested by e2e_pass_tests.
class RowMarks {
  public:
    explicit RowMarks(HWND list) : list_(list) {}

    // Marks every row as given (one mark for each row, in row order) and repaints the list
    // where that changes it.
    void mark(const std::vector<RowMark>& marks);
    // Puts every row back to its normal look; does nothing when no row is marked.
    void clear();
    // The mark of a row of the list control.
    static RowMark of(HWND list, int row);

  private:
    HWND list_;
    bool marked_ = false;
};
