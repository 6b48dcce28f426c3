#pragma once

#include "file_rows.h"

#include <cstddef>
#include <string>
#include <vector>

struct CliRow {
    std::string folder;
    std::string name;
    std::string newName;
};

// The rows of the command line, in the order given. The rename pass deletes rows as it walks
// down the list; the rows are kept with a gap at the place of the last deletion, so that a
// deletion moves only the rows between it and the one before, and a pass over n rows takes
// time in n, not n squared.
class CliRows : public FileRows {
  public:
    void append(CliRow row);
    // Room for count rows in all, so that appending up to them moves no row.
    void reserve(std::size_t count);

    int count() const override;
    std::string column(int row, RowColumn column) const override;
    void setNewName(int row, std::string newName) override;
    void deleteRow(int row) override;

    const CliRow& at(int row) const;

  private:
    std::size_t slot(int row) const;
    void moveGapTo(std::size_t position);

    std::vector<CliRow> slots_;
    std::size_t gapStart_ = 0;
    std::size_t gapLength_ = 0;
};
