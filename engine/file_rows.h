#pragma once

#include <string>
#include <string_view>

// The columns of one row of the file list.
enum class RowColumn {
    FilePath = 0,    // the folder with its trailing separator, or empty
    CurrentName = 1, // the rest of the path
    NewName = 2,     // empty until a test pass fills it
};

// The file list as the pass sees it: rows by index, from 0. The window keeps them in its list
// control, the command-line front end in memory.
// Implemented by ListViewRows (ui/), CliRows (cli/) and FakeRows (tests/unit/engine/fake_pass.h);
// held by engine_tests (rename_pass_test.cpp, plan_test.cpp), cli_tests (cli_rows_test.cpp) and
// e2e_pass_tests.
class FileRows {
  public:
    virtual ~FileRows() = default;

    virtual int count() const = 0;
    virtual std::string column(int row, RowColumn column) const = 0;
    // The same text as a view, good until the rows change: of the front end's own bytes where
    // it keeps them in memory, else of a copy in buffer.
    virtual std::string_view columnView(int row, RowColumn column, std::string& buffer) const {
        buffer = this->column(row, column);
        return buffer;
    }
    // Writes the NewName column of a row and shows it at once.
    virtual void setNewName(int row, std::string newName) = 0;
    // Removes a row; the rows below it move up by one. The list may show the removal a moment
    // later, at the latest at the next showRemovals.
    virtual void deleteRow(int row) = 0;
    // Shows the list as it now stands, every removal included.
    virtual void showRemovals() {}
    // Which file the row's path named when it was listed, as the front end's renamer tells
    // files apart (the window: the file's index on its volume); empty when nothing told it.
    virtual std::string listedFile(int /* row */) const { return {}; }
};
