#include "help_window.h"

#include "code_page.h"
#include "help_file.h"
#include "open_help_file.h"
#include "page_view.h"
#include "window_font.h"
#include "window_names.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <memory>

namespace help_engine {

namespace {

constexpr int margin = 6;
constexpr int rowHeight = 24;
constexpr int buttonWidth = 72;
constexpr int windowWidth = 860;
constexpr int windowHeight = 640;
// What an edit field of the window sends its parent when Enter is pressed in it.
constexpr WORD enterPressed = 0x7F00;

// The texts of the window, in the language of the help file.
struct WindowTexts {
    const wchar_t* contents;
    const wchar_t* index;
    const wchar_t* search;
    const wchar_t* find;
    const wchar_t* nothingFound;
};

constexpr WindowTexts japaneseTexts = {L"目次", L"索引", L"検索", L"検索",
                                       L"該当するトピックはありません"};
constexpr WindowTexts englishTexts = {L"Contents", L"Index", L"Search", L"Find",
                                      L"No topics found"};

std::wstring wide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

std::u16string utf16(std::wstring_view text) {
    return std::u16string(text.begin(), text.end());
}

std::u16string windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return utf16(text);
}

bool beginsWith(std::u16string_view text, std::u16string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(),
                      [](char16_t a, char16_t b) { return folded(a) == folded(b); });
}

// Enter in the window's edit fields is a command to their parent, as a dialog would make it.
LRESULT CALLBACK editProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto former = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(edit, GWLP_USERDATA));
    if (message == WM_KEYDOWN && wParam == VK_RETURN) {
        SendMessageW(GetParent(edit), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(edit), enterPressed),
                     reinterpret_cast<LPARAM>(edit));
        return 0;
    }
    if (message == WM_CHAR && wParam == L'\r')
        return 0;
    return CallWindowProcW(former, edit, message, wParam, lParam);
}

class HelpWindow {
  public:
    HelpWindow(std::shared_ptr<HelpFile> file, std::string path)
        : file_(std::move(file)), path_(std::move(path)) {}

    // The help window of the process.
    static std::unique_ptr<HelpWindow> shown;

    bool create(HINSTANCE module, HWND caller);
    HWND window() const { return window_; }
    // Whether it shows the help file at `path` as `file` read it; as it read it last when the
    // file cannot be read now.
    bool shows(const std::string& path, const std::shared_ptr<HelpFile>& file) const {
        return (file == nullptr || file == file_) &&
               CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, path.c_str(), -1,
                              path_.c_str(), -1) == CSTR_EQUAL;
    }
    // Brings the window to the front with the tab `tab`, at the page `topic` if it names one.
    void present(HelpTab tab, const std::string& topic);
    bool showLocation(const Location& location);

  private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    bool createControls(HINSTANCE module, HWND caller);
    HWND control(const wchar_t* className, const wchar_t* text, DWORD style, int id,
                 DWORD exStyle = WS_EX_CLIENTEDGE);
    void layout();
    void selectTab(HelpTab tab);
    void fillContents();
    void fillIndex();
    void command(WORD id, WORD code);
    LRESULT notify(const NMHDR& header);
    void contentsChosen(const NMTREEVIEWW& change);
    void indexTyped();
    void indexChosen();
    void search();
    void hitChosen();
    void followLink(const ENLINK& link);
    void showEntry(const SitemapEntry& entry);
    void markContents();

    std::shared_ptr<HelpFile> file_;
    std::string path_;
    const WindowTexts* texts_ = &englishTexts;
    HWND window_ = nullptr;
    HWND tabs_ = nullptr;
    HWND tree_ = nullptr;
    HWND indexEdit_ = nullptr;
    HWND indexList_ = nullptr;
    HWND searchEdit_ = nullptr;
    HWND searchButton_ = nullptr;
    HWND searchList_ = nullptr;
    HFONT font_ = nullptr;
    PageView page_;
    std::vector<HTREEITEM> items_;
    std::vector<SearchHit> hits_;
    std::u16string searched_;
    Location current_;
    // Set while the window itself selects a contents entry, which then shows no page.
    bool marking_ = false;
};

std::unique_ptr<HelpWindow> HelpWindow::shown;

bool registerWindowClass(HINSTANCE module, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = module;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = helpWindowClass;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// Centred in the work area of the caller's monitor, and no larger than it.
RECT placeFor(HWND caller) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    RECT work{0, 0, windowWidth, windowHeight};
    if (GetMonitorInfoW(MonitorFromWindow(caller, MONITOR_DEFAULTTOPRIMARY), &monitor))
        work = monitor.rcWork;
    const LONG width = std::min<LONG>(windowWidth, work.right - work.left);
    const LONG height = std::min<LONG>(windowHeight, work.bottom - work.top);
    const LONG left = work.left + (work.right - work.left - width) / 2;
    const LONG top = work.top + (work.bottom - work.top - height) / 2;
    return RECT{left, top, left + width, top + height};
}

bool HelpWindow::create(HINSTANCE module, HWND caller) {
    if (!registerWindowClass(module, procedure))
        return false;
    texts_ = file_->codePage() == 932 ? &japaneseTexts : &englishTexts;
    std::wstring title = wide(file_->title());
    if (title.empty())
        title = wide(decodeText(path_.substr(path_.find_last_of("\\/") + 1), CP_ACP));
    const RECT place = placeFor(caller);
    const HWND owner = caller != nullptr ? GetAncestor(caller, GA_ROOT) : nullptr;
    // The window procedure takes the object at WM_NCCREATE; it lives until WM_NCDESTROY.
    if (CreateWindowExW(0, helpWindowClass, title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                        place.left, place.top, place.right - place.left, place.bottom - place.top,
                        owner, nullptr, module, this) == nullptr)
        return false;
    if (!createControls(module, caller))
        return false;
    fillContents();
    fillIndex();
    layout();
    return true;
}

LRESULT CALLBACK HelpWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<HelpWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<HelpWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        if (shown.get() == self)
            shown.reset();
        return DefWindowProcW(window, message, wParam, lParam);
    }
    // No exception goes back into the platform's frames: a request the reader could not serve
    // (memory for a damaged file's page) leaves the window as it was.
    try {
        return self->handle(message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

LRESULT HelpWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        layout();
        return 0;
    case WM_GETMINMAXINFO:
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = POINT{420, 300};
        return 0;
    case WM_COMMAND:
        command(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_NOTIFY:
        return notify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_HELP:
        return TRUE;
    case WM_DESTROY:
        if (font_ != nullptr)
            DeleteObject(font_);
        font_ = nullptr;
        return 0;
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

HWND HelpWindow::control(const wchar_t* className, const wchar_t* text, DWORD style, int id,
                         DWORD exStyle) {
    const HWND child = CreateWindowExW(
        exStyle, className, text, WS_CHILD | WS_CLIPSIBLINGS | style, 0, 0, 0, 0, window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE)), nullptr);
    if (child != nullptr)
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return child;
}

bool HelpWindow::createControls(HINSTANCE module, HWND caller) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TREEVIEW_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&classes);
    const LOGFONTW look = windowFont(caller);
    font_ = CreateFontIndirectW(&look);
    tabs_ = control(WC_TABCONTROLW, L"", WS_VISIBLE, tabsId, 0);
    tree_ = control(WC_TREEVIEWW, L"",
                    TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS |
                        TVS_DISABLEDRAGDROP,
                    contentsTreeId);
    indexEdit_ = control(L"EDIT", L"", ES_AUTOHSCROLL, indexEditId);
    indexList_ =
        control(L"LISTBOX", L"", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL, indexListId);
    searchEdit_ = control(L"EDIT", L"", ES_AUTOHSCROLL, searchEditId);
    searchButton_ = control(L"BUTTON", texts_->find, BS_PUSHBUTTON, searchButtonId, 0);
    searchList_ =
        control(L"LISTBOX", L"", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL, searchListId);
    if (tabs_ == nullptr || tree_ == nullptr || indexEdit_ == nullptr || indexList_ == nullptr ||
        searchEdit_ == nullptr || searchButton_ == nullptr || searchList_ == nullptr ||
        !page_.create(window_, pageId, module))
        return false;
    page_.setFont(look, file_->codePage());
    // The tabs lie under the controls of their pages.
    SetWindowPos(tabs_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    for (const HWND edit : {indexEdit_, searchEdit_}) {
        const LONG_PTR former =
            SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editProcedure));
        SetWindowLongPtrW(edit, GWLP_USERDATA, former);
    }
    int position = 0;
    for (const wchar_t* label : {texts_->contents, texts_->index, texts_->search}) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(label);
        SendMessageW(tabs_, TCM_INSERTITEMW, position++, reinterpret_cast<LPARAM>(&item));
    }
    return true;
}

// The tabs on the left, a third of the width, their page's controls inside them; the page on
// the right.
void HelpWindow::layout() {
    if (tabs_ == nullptr)
        return;
    RECT client{};
    GetClientRect(window_, &client);
    const int width = std::clamp<int>(client.right / 3, 200, 320);
    const int height = std::max<int>(client.bottom - 2 * margin, 0);
    MoveWindow(tabs_, margin, margin, width, height, TRUE);
    RECT inside{0, 0, width, height};
    SendMessageW(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&inside));
    OffsetRect(&inside, margin, margin);
    const int innerWidth = std::max<int>(inside.right - inside.left, 0);
    const int innerHeight = std::max<int>(inside.bottom - inside.top, 0);
    const int listTop = inside.top + rowHeight + margin;
    const int listHeight = std::max<int>(inside.bottom - listTop, 0);
    MoveWindow(tree_, inside.left, inside.top, innerWidth, innerHeight, TRUE);
    MoveWindow(indexEdit_, inside.left, inside.top, innerWidth, rowHeight, TRUE);
    MoveWindow(indexList_, inside.left, listTop, innerWidth, listHeight, TRUE);
    const int searchWidth = std::max<int>(innerWidth - buttonWidth - margin, 0);
    MoveWindow(searchEdit_, inside.left, inside.top, searchWidth, rowHeight, TRUE);
    MoveWindow(searchButton_, inside.left + searchWidth + margin, inside.top, buttonWidth,
               rowHeight, TRUE);
    MoveWindow(searchList_, inside.left, listTop, innerWidth, listHeight, TRUE);
    const int pageLeft = 2 * margin + width;
    MoveWindow(page_.window(), pageLeft, margin, std::max<int>(client.right - pageLeft - margin, 0),
               height, TRUE);
}

void HelpWindow::selectTab(HelpTab tab) {
    SendMessageW(tabs_, TCM_SETCURSEL, static_cast<WPARAM>(tab), 0);
    const auto show = [](HWND control, bool visible) {
        ShowWindow(control, visible ? SW_SHOW : SW_HIDE);
    };
    show(tree_, tab == HelpTab::contents);
    show(indexEdit_, tab == HelpTab::index);
    show(indexList_, tab == HelpTab::index);
    show(searchEdit_, tab == HelpTab::search);
    show(searchButton_, tab == HelpTab::search);
    show(searchList_, tab == HelpTab::search);
    SetFocus(tab == HelpTab::contents ? tree_ : tab == HelpTab::index ? indexEdit_ : searchEdit_);
}

void HelpWindow::fillContents() {
    const std::vector<SitemapEntry>& entries = file_->contents();
    std::vector<HTREEITEM> parents;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const SitemapEntry& entry = entries[i];
        const std::wstring name = wide(entry.name);
        parents.resize(
            std::min<std::size_t>(parents.size(), static_cast<std::size_t>(entry.level)));
        TVINSERTSTRUCTW insert{};
        insert.hParent = parents.empty() ? TVI_ROOT : parents.back();
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM;
        insert.item.pszText = const_cast<wchar_t*>(name.c_str());
        insert.item.lParam = static_cast<LPARAM>(i);
        const auto item = reinterpret_cast<HTREEITEM>(
            SendMessageW(tree_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
        items_.push_back(item);
        parents.push_back(item);
    }
    for (HTREEITEM item : items_)
        SendMessageW(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
}

void HelpWindow::fillIndex() {
    for (const SitemapEntry& entry : file_->index()) {
        const std::wstring name = wide(entry.name);
        SendMessageW(indexList_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
}

void HelpWindow::present(HelpTab tab, const std::string& topic) {
    if (const std::optional<Location> location = file_->resolve("/", topic);
        location && !topic.empty())
        showLocation(*location);
    ShowWindow(window_, IsIconic(window_) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(window_);
    selectTab(tab);
}

bool HelpWindow::showLocation(const Location& location) {
    const std::optional<Page> page = file_->page(location.path);
    if (!page)
        return false;
    page_.show(*page, location.anchor);
    current_ = location;
    markContents();
    return true;
}

// Selects the contents entry of the page shown, when the contents have one.
void HelpWindow::markContents() {
    const std::vector<SitemapEntry>& entries = file_->contents();
    for (std::size_t i = 0; i < entries.size() && i < items_.size(); ++i) {
        const std::optional<Location> target = file_->resolve("/", entries[i].local);
        if (!entries[i].local.empty() && target && target->path == current_.path) {
            marking_ = true;
            SendMessageW(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(items_[i]));
            marking_ = false;
            return;
        }
    }
}

void HelpWindow::showEntry(const SitemapEntry& entry) {
    if (entry.local.empty())
        return;
    if (const std::optional<Location> target = file_->resolve("/", entry.local))
        showLocation(*target);
}

void HelpWindow::command(WORD id, WORD code) {
    if (id == indexEditId && code == EN_CHANGE)
        indexTyped();
    else if (id == indexEditId && code == enterPressed)
        indexChosen();
    else if (id == indexListId && (code == LBN_SELCHANGE || code == LBN_DBLCLK))
        indexChosen();
    else if ((id == searchEditId && code == enterPressed) ||
             (id == searchButtonId && code == BN_CLICKED))
        search();
    else if (id == searchListId && (code == LBN_SELCHANGE || code == LBN_DBLCLK))
        hitChosen();
}

LRESULT HelpWindow::notify(const NMHDR& header) {
    if (header.idFrom == tabsId && header.code == TCN_SELCHANGE)
        selectTab(static_cast<HelpTab>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0)));
    else if (header.idFrom == contentsTreeId && header.code == TVN_SELCHANGEDW)
        contentsChosen(reinterpret_cast<const NMTREEVIEWW&>(header));
    else if (header.idFrom == pageId && header.code == EN_LINK)
        followLink(reinterpret_cast<const ENLINK&>(header));
    return 0;
}

void HelpWindow::contentsChosen(const NMTREEVIEWW& change) {
    const auto index = static_cast<std::size_t>(change.itemNew.lParam);
    if (!marking_ && index < file_->contents().size())
        showEntry(file_->contents()[index]);
}

// Typing in the index field selects the first keyword that begins with what was typed.
void HelpWindow::indexTyped() {
    const std::u16string typed = windowText(indexEdit_);
    const std::vector<SitemapEntry>& entries = file_->index();
    const auto found = std::find_if(entries.begin(), entries.end(), [&](const SitemapEntry& entry) {
        return beginsWith(entry.name, typed);
    });
    if (found != entries.end())
        SendMessageW(indexList_, LB_SETCURSEL, static_cast<WPARAM>(found - entries.begin()), 0);
}

void HelpWindow::indexChosen() {
    const LRESULT chosen = SendMessageW(indexList_, LB_GETCURSEL, 0, 0);
    if (chosen >= 0 && static_cast<std::size_t>(chosen) < file_->index().size())
        showEntry(file_->index()[static_cast<std::size_t>(chosen)]);
}

void HelpWindow::search() {
    searched_ = windowText(searchEdit_);
    hits_ = file_->search(searched_);
    SendMessageW(searchList_, LB_RESETCONTENT, 0, 0);
    for (const SearchHit& hit : hits_) {
        const std::wstring title = wide(hit.title);
        SendMessageW(searchList_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(title.c_str()));
    }
    if (hits_.empty())
        SendMessageW(searchList_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(texts_->nothingFound));
}

// Shows the page of the hit and selects the first word of the query in it.
void HelpWindow::hitChosen() {
    const LRESULT chosen = SendMessageW(searchList_, LB_GETCURSEL, 0, 0);
    if (chosen < 0 || static_cast<std::size_t>(chosen) >= hits_.size())
        return;
    if (!showLocation(Location{hits_[static_cast<std::size_t>(chosen)].path, {}}))
        return;
    const std::size_t start = searched_.find_first_not_of(u" \u3000");
    if (start != std::u16string::npos)
        page_.select(std::u16string_view(searched_).substr(
            start, searched_.find_first_of(u" \u3000", start) - start));
}

void HelpWindow::followLink(const ENLINK& link) {
    if (link.msg != WM_LBUTTONUP)
        return;
    const std::string href = page_.linkAt(link.chrg.cpMin);
    if (href.empty())
        return;
    if (const std::optional<Location> target = file_->resolve(current_.path, href))
        showLocation(*target);
}

} // namespace

HWND showHelpWindow(HINSTANCE module, HWND caller, const std::string& path, HelpTab tab,
                    const std::string& topic) {
    HelpWindow* window = HelpWindow::shown.get();
    const std::shared_ptr<HelpFile> file = openHelpFile(path);
    if (window != nullptr && window->shows(path, file)) {
        window->present(tab, topic);
        return window->window();
    }
    if (!file)
        return nullptr;
    const Location first =
        topic.empty() ? file->defaultTopic() : file->resolve("/", topic).value_or(Location{});
    if (!file->page(first.path))
        return nullptr;
    if (window != nullptr)
        DestroyWindow(window->window());
    HelpWindow::shown = std::make_unique<HelpWindow>(file, path);
    window = HelpWindow::shown.get();
    if (!window->create(module, caller)) {
        if (HelpWindow::shown.get() == window && window->window() != nullptr)
            DestroyWindow(window->window());
        HelpWindow::shown.reset();
        return nullptr;
    }
    window->showLocation(first);
    window->present(tab, {});
    return window->window();
}

} // namespace help_engine
