#pragma once

#include "file_renamer.h"
#include "file_rows.h"
#include "history_list.h"
#include "pass_window.h"
#include "rename_pass.h"

#include <map>
#include <string>
#include <vector>

struct FakeRow {
    std::string folder;
    std::string name;
    std::string newName;
    // The key of the file the row was listed for; empty: none told.
    std::string listed = {};
};

// The file list in memory. Like the list control, it tells the pass that a row is going while
// the row is still counted.
class FakeRows : public FileRows {
  public:
    int count() const override { return static_cast<int>(rows.size()); }
    std::string column(int row, RowColumn column) const override;
    void setNewName(int row, std::string newName) override;
    void deleteRow(int row) override;
    std::string listedFile(int row) const override;
    void showRemovals() override { countsShown.push_back(count()); }

    std::vector<FakeRow> rows;
    // The number of rows each time the list was shown as it stood.
    std::vector<int> countsShown;
    RenamePass* pass = nullptr;
    // The mode at every deletion, after the pass heard of it.
    std::vector<int> armedAfterDeletion;
    int newNamesWritten = 0;
};

// A folder of files by full path, with the platform's rule: a rename onto an existing file
// fails, a rename onto itself succeeds. A file's key is its contents: a listed file is renamed
// only while its path holds the contents it was listed with.
class FakeRenamer : public FileRenamer {
  public:
    RenameResult rename(const std::string& oldPath, const std::string& newPath) override;
    RenameResult renameListed(const std::string& oldPath, const std::string& newPath,
                              const std::string& listedFile) override;

    std::map<std::string, std::string> files;
    std::vector<std::pair<std::string, std::string>> calls;
};

class FakeHistory : public HistoryList {
  public:
    int selection() const override { return selected; }
    int count() const override { return static_cast<int>(entries.size()); }
    void remove(int index) override;
    void insertAtTop(const std::string& text) override;

    std::vector<std::string> entries;
    int selected = -1;
};

// The boxes, the action button's text and the cursor, as the pass left them.
class FakeWindow : public PassWindow {
  public:
    std::string searchBoxText() const override { return search; }
    std::string replaceBoxText() const override { return replace; }
    HistoryList& searchHistory() override { return searchList; }
    HistoryList& replaceHistory() override { return replaceList; }
    void showActionArmed(bool armed) override { button = armed ? "Rename!" : "Test"; }
    void showWaitCursor() override { cursor.push_back("wait"); }
    void showArrowCursor() override { cursor.push_back("arrow"); }

    std::string search;
    std::string replace;
    FakeHistory searchList;
    FakeHistory replaceList;
    std::string button = "Test";
    std::vector<std::string> cursor;
};
