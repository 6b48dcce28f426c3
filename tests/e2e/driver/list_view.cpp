#include "list_view.h"

#include "remote_buffer.h"
#include "wait.h"

#include <commctrl.h>

namespace e2e {

namespace {

// Longer than any path the program can hold (MAX_PATH) and than any column title.
constexpr int textCapacity = 4096;

} // namespace

LRESULT RemoteListView::send(UINT message, WPARAM wParam, LPARAM lParam) const {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(list_, message, wParam, lParam, SMTO_ABORTIFHUNG, defaultTimeoutMs,
                             &result))
        return -1;
    return static_cast<LRESULT>(result);
}

int RemoteListView::itemCount() const {
    return static_cast<int>(send(LVM_GETITEMCOUNT, 0, 0));
}

int RemoteListView::columnCount() const {
    const HWND header = reinterpret_cast<HWND>(send(LVM_GETHEADER, 0, 0));
    if (header == nullptr || header == reinterpret_cast<HWND>(-1))
        return -1;
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutA(header, HDM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, defaultTimeoutMs,
                             &count))
        return -1;
    return static_cast<int>(count);
}

std::optional<ListColumn> RemoteListView::column(int index) const {
    RemoteBuffer remote(list_, sizeof(LVCOLUMNA) + textCapacity);
    LVCOLUMNA request{};
    request.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    request.pszText = static_cast<char*>(remote.address(sizeof(LVCOLUMNA)));
    request.cchTextMax = textCapacity;
    const char nothing = '\0';
    if (!remote.write(&request, sizeof request) || !remote.write(&nothing, 1, sizeof(LVCOLUMNA)) ||
        send(LVM_GETCOLUMNA, index, reinterpret_cast<LPARAM>(remote.address())) != TRUE)
        return std::nullopt;
    LVCOLUMNA answer{};
    std::vector<char> text(textCapacity);
    if (!remote.read(&answer, sizeof answer) ||
        !remote.read(text.data(), text.size(), sizeof(LVCOLUMNA)))
        return std::nullopt;
    text.back() = '\0';
    return ListColumn{text.data(), answer.cx, answer.fmt};
}

std::vector<ListColumn> RemoteListView::columns() const {
    std::vector<ListColumn> all;
    const int count = columnCount();
    for (int i = 0; i < count; ++i) {
        if (auto c = column(i))
            all.push_back(*c);
    }
    return all;
}

int RemoteListView::columnWidth(int index) const {
    return static_cast<int>(send(LVM_GETCOLUMNWIDTH, index, 0));
}

std::optional<std::string> RemoteListView::itemText(int item, int subItem) const {
    RemoteBuffer remote(list_, sizeof(LVITEMA) + textCapacity);
    LVITEMA request{};
    request.iSubItem = subItem;
    request.pszText = static_cast<char*>(remote.address(sizeof(LVITEMA)));
    request.cchTextMax = textCapacity;
    if (!remote.write(&request, sizeof request))
        return std::nullopt;
    const LRESULT length = send(LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(remote.address()));
    if (length < 0 || length >= textCapacity)
        return std::nullopt;
    std::string text(static_cast<std::size_t>(length), '\0');
    if (length > 0 && !remote.read(text.data(), text.size(), sizeof(LVITEMA)))
        return std::nullopt;
    return text;
}

std::vector<std::vector<std::string>> RemoteListView::rows() const {
    std::vector<std::vector<std::string>> all;
    const int count = itemCount();
    const int columnTotal = columnCount();
    for (int item = 0; item < count; ++item) {
        std::vector<std::string> row;
        for (int sub = 0; sub < columnTotal; ++sub)
            row.push_back(itemText(item, sub).value_or("<unreadable>"));
        all.push_back(row);
    }
    return all;
}

int RemoteListView::appendRow(const std::string& folder, const std::string& name) const {
    const std::size_t textAt = sizeof(LVITEMA);
    RemoteBuffer remote(list_, textAt + folder.size() + name.size() + 2);
    LVITEMA row{};
    row.mask = LVIF_TEXT;
    row.iItem = itemCount();
    row.pszText = static_cast<char*>(remote.address(textAt));
    if (!remote.write(&row, sizeof row) || !remote.write(folder.c_str(), folder.size() + 1, textAt))
        return -1;
    const auto index =
        static_cast<int>(send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(remote.address())));
    if (index < 0)
        return -1;
    LVITEMA second{};
    second.iSubItem = 1;
    second.pszText = static_cast<char*>(remote.address(textAt + folder.size() + 1));
    if (!remote.write(&second, sizeof second) ||
        !remote.write(name.c_str(), name.size() + 1, textAt + folder.size() + 1) ||
        send(LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(remote.address())) != TRUE)
        return -1;
    return index;
}

bool RemoteListView::deleteRow(int item) const {
    return send(LVM_DELETEITEM, item, 0) == TRUE;
}

bool RemoteListView::select(int item, bool selected) const {
    RemoteBuffer remote(list_, sizeof(LVITEMA));
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED;
    state.state = selected ? LVIS_SELECTED : 0;
    return remote.write(&state, sizeof state) &&
           send(LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(remote.address())) == TRUE;
}

UINT RemoteListView::itemState(int item, UINT mask) const {
    return static_cast<UINT>(send(LVM_GETITEMSTATE, item, mask));
}

std::optional<RECT> RemoteListView::itemScreenRect(int item) const {
    RemoteBuffer remote(list_, sizeof(RECT));
    RECT rect{LVIR_BOUNDS, 0, 0, 0};
    if (!remote.write(&rect, sizeof rect) ||
        send(LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(remote.address())) != TRUE ||
        !remote.read(&rect, sizeof rect))
        return std::nullopt;
    MapWindowPoints(list_, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

DWORD RemoteListView::extendedStyle() const {
    return static_cast<DWORD>(send(LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
}

} // namespace e2e
