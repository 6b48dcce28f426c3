#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

struct ListColumn {
    std::string text;
    int width = 0;
    int format = 0; // LVCFMT_...
};

// A report-style list view of another process, read through memory allocated in that process.
class RemoteListView {
  public:
    explicit RemoteListView(HWND list) : list_(list) {}

    int itemCount() const;
    // The number of columns, counted through the list's header control.
    int columnCount() const;
    std::optional<ListColumn> column(int index) const;
    std::vector<ListColumn> columns() const;
    // LVM_GETCOLUMNWIDTH.
    int columnWidth(int index) const;
    std::optional<std::string> itemText(int item, int subItem) const;
    // Every row with the text of every column.
    std::vector<std::vector<std::string>> rows() const;
    UINT itemState(int item, UINT mask) const;
    // The whole row on the screen (LVM_GETITEMRECT with LVIR_BOUNDS), in screen coordinates.
    std::optional<RECT> itemScreenRect(int item) const;
    // Inserts a row at the end with the texts of its first two columns, as the program's own
    // list editing does; the row's index, or -1.
    int appendRow(const std::string& folder, const std::string& name) const;
    bool deleteRow(int item) const;
    // Sets or clears the selected state of a row.
    bool select(int item, bool selected) const;
    DWORD extendedStyle() const;

  private:
    LRESULT send(UINT message, WPARAM wParam, LPARAM lParam) const;

    HWND list_;
};

} // namespace e2e
