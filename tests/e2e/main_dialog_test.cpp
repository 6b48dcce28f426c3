#include "kibrel_fixture.h"
#include "list_view.h"
#include "resource.h"
#include "test_paths.h"
#include "window_query.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace e2e {
namespace {

std::string hex(DWORD value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(value));
    return text;
}

struct ExpectedControl {
    int id;
    const char* className;
    const char* text;
    DWORD style;
};

// The controls in template order, which is the order of the dialog's children.
const ExpectedControl templateControls[] = {
    {IDC_ACTION, "Button", "Test", 0x50010001},    {IDC_SEARCH, "ComboBox", "", 0x50210042},
    {IDC_REPLACE, "ComboBox", "", 0x50210042},     {IDC_STATIC, "Static", "Search", 0x50020000},
    {IDC_STATIC, "Static", "Replace", 0x50020000}, {IDC_FILES, "SysListView32", "", 0x50818009},
    {IDC_LIST, "Button", "List", 0x50010000},      {IDC_UNLIST, "Button", "Unlist", 0x50010000},
    {IDC_EXIT, "Button", "Exit", 0x50010000},
};

class MainDialogWindow : public KibrelFixture {};

struct WindowStyles {
    DWORD style;
    DWORD exStyle;
};

// The styles the platform reports for a control created from the template: the dialog manager
// gives every control WS_EX_NOPARENTNOTIFY; a combo box takes WS_VSCROLL off its own style and
// hands it on to its drop-down list (whose style shows it only while the list needs a scroll
// bar); the list view turns WS_BORDER into WS_EX_CLIENTEDGE.
WindowStyles reportedStyles(const ExpectedControl& control) {
    WindowStyles reported{control.style, WS_EX_NOPARENTNOTIFY};
    const std::string className = control.className;
    if (className == "ComboBox")
        reported.style &= ~WS_VSCROLL;
    if (className == "SysListView32" && (control.style & WS_BORDER)) {
        reported.style &= ~WS_BORDER;
        reported.exStyle |= WS_EX_CLIENTEDGE;
    }
    return reported;
}

TEST_F(MainDialogWindow, EveryControlHasTheIdClassTextAndStyleOfTheTemplate) {
    const HWND window = startMainWindow();
    ASSERT_NE(window, nullptr);
    // The combo boxes' own children (their edit fields) are not the dialog's controls.
    const std::vector<ControlInfo> controls = describeChildren(window);
    ASSERT_EQ(controls.size(), std::size(templateControls));
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const ExpectedControl& expected = templateControls[i];
        const ControlInfo& actual = controls[i];
        SCOPED_TRACE("control " + std::to_string(i) + " (\"" + expected.text + "\", id " +
                     std::to_string(expected.id) + ")");
        EXPECT_EQ(actual.id, expected.id);
        EXPECT_EQ(actual.className, expected.className);
        EXPECT_EQ(actual.text, expected.text);
        const WindowStyles reported = reportedStyles(expected);
        EXPECT_EQ(hex(actual.style), hex(reported.style));
        EXPECT_EQ(hex(actual.exStyle), hex(reported.exStyle));
    }
}

TEST_F(MainDialogWindow, WindowHasTheTemplateStylesAndOneMenuCommand) {
    const HWND window = startMainWindow();
    ASSERT_NE(window, nullptr);
    // The template's styles with what the platform adds to a pop-up dialog with a modal
    // frame: WS_CLIPSIBLINGS to a top-level window, DS_3DLOOK and WS_EX_CONTROLPARENT to every
    // dialog, WS_EX_DLGMODALFRAME and WS_EX_WINDOWEDGE for its frame.
    EXPECT_EQ(hex(windowStyle(window)), hex(0x90C800C0 | WS_CLIPSIBLINGS | DS_3DLOOK));
    EXPECT_EQ(hex(windowExStyle(window)),
              hex(0x00040410 | WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE));
    EXPECT_EQ(ownerOf(window), nullptr);
    EXPECT_NE(GetMenu(window), nullptr) << "the window has no menu bar";

    // Menus of another process cannot be read, so the menu is read from the program's
    // resources: one command item, not a drop-down.
    const HMODULE resources =
        LoadLibraryExA(kibrelPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(resources, nullptr);
    const HMENU menu = LoadMenuA(resources, MAKEINTRESOURCEA(IDM_MAIN));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 1);
    char text[64] = {};
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_ID | MIIM_STRING | MIIM_SUBMENU | MIIM_FTYPE;
    item.dwTypeData = text;
    item.cch = sizeof text - 1;
    ASSERT_TRUE(GetMenuItemInfoA(menu, 0, TRUE, &item));
    EXPECT_STREQ(text, "Help(&H)");
    EXPECT_EQ(item.wID, 57666u);
    EXPECT_EQ(item.hSubMenu, nullptr);
    EXPECT_EQ(item.fType & MFT_SEPARATOR, 0u);
    DestroyMenu(menu);
    FreeLibrary(resources);
}

TEST_F(MainDialogWindow, ListHasThreeColumnsSharingItsClientWidth) {
    const HWND window = startMainWindow();
    ASSERT_NE(window, nullptr);
    const HWND list = childById(window, IDC_FILES);
    ASSERT_NE(list, nullptr);
    const RemoteListView view(list);
    const int width = clientRect(list).right;
    const std::vector<ListColumn> columns = view.columns();
    ASSERT_EQ(columns.size(), 3u);
    const char* titles[] = {"FilePath", "CurrentName", "NewName"};
    const int widths[] = {width / 2, width / 4, width / 4};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(titles[i]);
        EXPECT_EQ(columns[i].text, titles[i]);
        EXPECT_EQ(columns[i].width, widths[i]) << "client width " << width;
        EXPECT_EQ(view.columnWidth(i), widths[i]);
        EXPECT_EQ(columns[i].format & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
    }
    EXPECT_EQ(hex(view.extendedStyle()), hex(LVS_EX_FULLROWSELECT));
    EXPECT_EQ(view.itemCount(), 0);
}

TEST_F(MainDialogWindow, OpensCentredWithTheActionButtonFocused) {
    const HWND window = startMainWindow();
    ASSERT_NE(window, nullptr);
    RECT work{};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    const RECT rect = windowRect(window);
    EXPECT_LE(std::abs((rect.left + rect.right) - (work.left + work.right)), 1);
    EXPECT_LE(std::abs((rect.top + rect.bottom) - (work.top + work.bottom)), 1);
    const HWND action = childById(window, IDC_ACTION);
    EXPECT_EQ(focusedWindowOf(window), action);
    EXPECT_EQ(windowText(action), "Test");
}

} // namespace
} // namespace e2e
