#pragma once

#include "file_renamer.h"
#include "file_rows.h"
#include "messages.h"
#include "pass_window.h"
#include "rename_engine.h"

#include <string>

// The caption of the message that reports a failed rename.
constexpr const char* renameFailedCaption = "ERROR!";

// The failure message of one rename: "[old] -> [new]", a line feed and " Rename Failed!!".
std::string renameFailedText(const std::string& oldPath, const std::string& newPath);

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
    void runAction();
    void resetToTest();

    // An edit or a choice in the Search or Replace box, or a row added to the list.
    void namesMayBeStale() { resetToTest(); }
    // A row of the list is going; rowCount is the number of rows, that row still included.
    void rowDeleting(int rowCount);

    // Puts the texts of a successful test at the top of the two history lists.
    void updateHistory(const std::string& searchAsTyped, const std::string& replaceAsTyped);

  private:
    void testPass(int count);
    void renamePass(int count);

    RenameEngine& engine_;
    FileRows& rows_;
    FileRenamer& renamer_;
    PassWindow& window_;
    Messages& messages_;
    int renameArmed_ = 0;
};
