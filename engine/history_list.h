#pragma once

#include <string>

// One drop-down history list of texts, entry 0 the most recent. Changes made through it are the
// program's own and raise no change notification.
// Implemented by ComboHistory (ui/), NoHistory (cli/) and FakeHistory (tests); held by
// engine_tests (history_test.cpp) and e2e_pass_tests.
class HistoryList {
  public:
    virtual ~HistoryList() = default;

    // The index of the selected entry, or -1 when none is selected.
    virtual int selection() const = 0;
    virtual int count() const = 0;
    virtual void remove(int index) = 0;
    virtual void insertAtTop(const std::string& text) = 0;
};
