#pragma once

#include "file_renamer.h"
#include "file_rows.h"
#include "messages.h"
#include "pass_window.h"
#include "rename_engine.h"

#include <string>
#include <vector>

// What a press of the action button did, for its caller to act on.
struct PassOutcome {
    enum class Kind {
        nothing, // the list was empty: nothing happened
        refused, // the Search text was refused before the rows (message 10 or 12)
        tested,  // every row has its NewName and the button reads "Rename!"
        renamed, // the rename pass visited every row
    };
    Kind kind = Kind::nothing;
    // The test pass: rows whose computation met an unusable library or a refused pattern.
    int libraryFailures = 0;
    // The test pass: rows left with an empty NewName (a name refused, or a whole name replaced
    // by nothing), which the rename pass leaves alone. The rename pass: rows it left alone.
    int rowsWithoutName = 0;
    // The rename pass: rows whose rename failed.
    int failedRenames = 0;
    // The test pass: what each row's NewName is, in row order.
    std::vector<RowName::Kind> rowKinds;

    // The rows that failed. A row fails when it ends without its new name: it has none, or its
    // file did not get it. A row whose new name is its name has nothing to do and has not failed.
    int failedRows() const { return rowsWithoutName + failedRenames; }
};

// The action button's two modes. In the "Test" mode a press computes the new name of every row
// from the Search and Replace boxes without touching the disk; the button then reads "Rename!",
// and the next press renames the files of the rows, removing every row whose file got its new
// name. Whatever could make the shown names stale puts the button back to "Test".
class RenamePass {
  public:
    RenamePass(RenameEngine& engine, FileRows& rows, FileRenamer& renamer, PassWindow& window,
               Messages& messages)
        : engine_(engine), rows_(rows), renamer_(renamer), window_(window), messages_(messages) {}

    // 0: the button reads "Test"; 1: it reads "Rename!".
    int renameArmed() const { return renameArmed_; }

    // The press of the action button: the test pass or the rename pass, by the mode.
    PassOutcome runAction();
    void resetToTest();

    // An edit or a choice in the Search or Replace box, or a row added to the list.
    void namesMayBeStale() { resetToTest(); }
    // A row of the list is going; rowCount is the number of rows, that row still included.
    void rowDeleting(int rowCount);

    // Puts the texts of a successful test at the top of the two history lists.
    void updateHistory(const std::string& searchAsTyped, const std::string& replaceAsTyped);

  private:
    PassOutcome testPass(int count);
    PassOutcome renamePass(int count);

    RenameEngine& engine_;
    FileRows& rows_;
    FileRenamer& renamer_;
    PassWindow& window_;
    Messages& messages_;
    int renameArmed_ = 0;
};
