#pragma once

#include "dialog_messages.h"
#include "dialog_pass_window.h"
#include "handle_per_match.h"
#include "list_view_rows.h"
#include "move_file_renamer.h"
#include "rename_engine.h"
#include "rename_pass.h"
#include "row_marks.h"

#include <windows.h>

// The test and rename pass as the main window runs it: the engine on the window's file list,
// boxes, button and message boxes, a RegexHandle for every match, renaming with MoveFileExW
// only the files that were listed. Made once the window's controls exist.
class DialogPass {
  public:
    DialogPass(WindowApplication& app, HWND window);

    RenamePass& pass() { return pass_; }
    ListViewRows& rows() { return rows_; }

    // Draws the rows whose rename in list order would fail as the forecast of the names shown
    // foresees them, and the rows whose new name one of those wants too.
    void showForecast();
    // Draws every row normally again: the names shown may be stale.
    void hideForecast() { marks_.clear(); }

  private:
    DialogMessages messages_;
    HandlePerMatch matcher_;
    RenameEngine engine_;
    ListViewRows rows_;
    RowMarks marks_;
    MoveFileRenamer renamer_;
    DialogPassWindow controls_;
    RenamePass pass_;
};
