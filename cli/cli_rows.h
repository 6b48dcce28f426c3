#pragma once

#include "file_rows.h"

#include <cstddef>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The rows of the command line, in the order given. A row is a few views rather than strings of
// its own: of the PATH where it was given (the command line's arguments, or the text read from
// --from-file, which the rows keep) or, for a PATH the rows spell otherwise, of a store of large
// blocks that never move; so a million rows cost 40 bytes each beside their new names. A row's
// new name is kept in the store behind a copy of its folder, so that its new path is one view
// too.
//
// The rename pass deletes rows as it walks down the list; the rows are kept with a gap at the
// place of the last deletion, so that a deletion moves only the rows between it and the one
// before, and a pass over n rows takes time in n, not n squared. Tested by cli_tests
// (cli_rows_test.cpp).
class CliRows : public FileRows {
  public:
    CliRows() = default;
    CliRows(const CliRows&) = delete;
    CliRows& operator=(const CliRows&) = delete;

    // A row for the path of folder and name, its bytes copied into the store.
    void append(std::string_view folder, std::string_view name);
    // A row for a path whose text lasts as long as the rows do (an argument of the command
    // line, or a part of a text given to keep()), its folder the first folderLength bytes; the
    // row is a view of it.
    void appendLasting(std::string_view path, std::size_t folderLength);
    // Keeps the text for as long as the rows last, where it is, so that rows may be views of
    // it: returns a view of it there.
    std::string_view keep(std::string text);
    // Room for count rows in all, so that appending up to them moves no row.
    void reserve(std::size_t count);

    int count() const override;
    std::string column(int row, RowColumn column) const override;
    std::string_view columnView(int row, RowColumn column, std::string& buffer) const override;
    void setNewName(int row, std::string newName) override;
    void deleteRow(int row) override;

    std::string_view folder(int row) const;
    std::string_view name(int row) const;
    // The folder and the name, one text as the PATH was given.
    std::string_view path(int row) const;
    std::string_view newName(int row) const;
    // The folder and the new name; empty when the row has no new name.
    std::string_view newPath(int row) const;

  private:
    struct Row {
        const char* path;
        std::size_t folderLength;
        std::size_t nameLength;
        const char* newPath; // nullptr: no new name
        std::size_t newNameLength;
    };

    // A copy of the texts, one after the other, in the store; where it begins.
    const char* store(std::string_view first, std::string_view second);
    void push(const Row& row);
    const Row& at(int row) const;
    std::size_t slot(int row) const;
    void moveGapTo(std::size_t position);

    std::vector<Row> slots_;
    std::size_t gapStart_ = 0;
    std::size_t gapLength_ = 0;
    // Blocks filled up to their size and never grown, so that their bytes stay put; the last
    // one is filled up to blockUsed_.
    struct Block {
        std::unique_ptr<char[]> bytes;
        std::size_t size;
    };
    std::vector<Block> blocks_;
    std::size_t blockUsed_ = 0;
    // The texts given to keep(), which a deque holds without ever moving them.
    std::deque<std::string> kept_;
};
