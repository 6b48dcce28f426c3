#pragma once

#include "history_list.h"

#include <windows.h>

// The drop-down list of a combo box as a history list. The combo box raises no change
// notification for these changes, and its edit field keeps its text.
class ComboHistory : public HistoryList {
  public:
    explicit ComboHistory(HWND box) : box_(box) {}

    int selection() const override;
    int count() const override;
    void remove(int index) override;
    void insertAtTop(const std::string& text) override;

  private:
    HWND box_;
};
