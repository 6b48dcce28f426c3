#pragma once

#include "history_list.h"

#include <string>

// The controls of the window that the pass reads and writes besides the file list: the Search
// and Replace boxes with their history lists, the action button and the mouse cursor.
// Implemented by DialogPassWindow (ui/), CliWindow (cli/) and FakeWindow (tests); held by
// engine_tests (rename_pass_test.cpp) and e2e_pass_tests.
class PassWindow {
  public:
    virtual ~PassWindow() = default;

    virtual std::string searchBoxText() const = 0;
    virtual std::string replaceBoxText() const = 0;
    virtual HistoryList& searchHistory() = 0;
    virtual HistoryList& replaceHistory() = 0;

    // The action button reads "Rename!" when armed, else "Test".
    virtual void showActionArmed(bool armed) = 0;
    // The wait cursor while a pass computes the new names or renames the files, the arrow after
    // it.
    virtual void showWaitCursor() = 0;
    virtual void showArrowCursor() = 0;
};
