#pragma once

#include "history_list.h"
#include "pass_window.h"

#include <string>
#include <utility>

// A history list that keeps nothing: the front end remembers no texts between runs.
class NoHistory : public HistoryList {
  public:
    int selection() const override { return -1; }
    int count() const override { return 0; }
    void remove(int) override {}
    void insertAtTop(const std::string&) override {}
};

// The window's controls as the command line gives them: the Search and Replace texts of the
// options, no history, and no button or cursor to show.
class CliWindow : public PassWindow {
  public:
    CliWindow(std::string search, std::string replace)
        : search_(std::move(search)), replace_(std::move(replace)) {}

    std::string searchBoxText() const override { return search_; }
    std::string replaceBoxText() const override { return replace_; }
    HistoryList& searchHistory() override { return history_; }
    HistoryList& replaceHistory() override { return history_; }
    void showActionArmed(bool) override {}
    void showWaitCursor() override {}
    void showArrowCursor() override {}

  private:
    std::string search_;
    std::string replace_;
    NoHistory history_;
};
