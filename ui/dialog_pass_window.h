#pragma once

#include "combo_history.h"
#include "pass_window.h"

#include <windows.h>

// The Search and Replace boxes, the action button and the cursor of the main window.
class DialogPassWindow : public PassWindow {
  public:
    explicit DialogPassWindow(HWND window);

    std::string searchBoxText() const override;
    std::string replaceBoxText() const override;
    HistoryList& searchHistory() override { return searchHistory_; }
    HistoryList& replaceHistory() override { return replaceHistory_; }
    void showActionArmed(bool armed) override;
    void showWaitCursor() override;
    void showArrowCursor() override;

  private:
    HWND window_;
    ComboHistory searchHistory_;
    ComboHistory replaceHistory_;
};
