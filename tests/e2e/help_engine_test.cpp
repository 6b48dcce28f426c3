#include "engine_windows.h"
#include "hardware_input.h"
#include "help_engine.h"
#include "kibrel_fixture.h"
#include "message_box.h"
#include "resource.h"
#include "system_input.h"
#include "test_paths.h"
#include "user_input.h"
#include "wait.h"
#include "window_names.h"
#include "window_query.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

// Kibrel's help under Wine with the project's own engine, help_engine.dll, registered as the
// HTML Help control: the pop-ups and the help window as a user sees and works them.

namespace e2e {
namespace {

using help_engine::helpWindowClass;
using help_engine::popupWindowClass;

// Long enough for a window, wrongly shown, to be on screen.
constexpr DWORD settleMs = 500;

class StandInHelpEngine : public KibrelFixture {
  protected:
    void SetUp() override {
        KibrelFixture::SetUp();
        registration_.emplace(programFolder() + "help_engine.dll");
        ASSERT_TRUE(registration_->valid()) << "help_engine.dll could not be registered";
    }
    void TearDown() override {
        KibrelFixture::TearDown();
        registration_.reset();
    }

    void startWithFile() {
        ASSERT_TRUE(folder_.writeFile("a.txt", "a"));
        window_ = startMainWindow(quotedProgram(kibrelPath()) + " " + folder_.pathOf("a.txt"));
        ASSERT_NE(window_, nullptr);
    }
    HWND control(int id) const { return childById(window_, id); }

    // The one window of the class that the engine shows, once it is there.
    HWND waitForWindow(const wchar_t* className) {
        HWND found = nullptr;
        waitUntil(
            [&] {
                const std::vector<HWND> windows = windowsOfClass(program_, className);
                return (found = windows.empty() ? nullptr : windows.front()) != nullptr;
            },
            defaultTimeoutMs);
        return found;
    }
    bool gone(HWND window) {
        return waitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); },
                         defaultTimeoutMs);
    }

    std::optional<HtmlHelpControlRegistration> registration_;
    HWND window_ = nullptr;
};

struct ControlPopup {
    int id;
    const wchar_t* begins;
};

// The words each control's text in cshelp.txt begins with.
const ControlPopup controlPopups[] = {
    {IDC_SEARCH, L"Search ボックス: 探すパターンを書きます。"},
    {IDC_REPLACE, L"Replace ボックス: "},
    {IDC_ACTION, L"「Test」ボタン: "},
    {IDC_LIST, L"「List」ボタン: "},
    {IDC_UNLIST, L"「Unlist」ボタン: "},
    {IDC_EXIT, L"「Exit」ボタン: "},
    {IDC_FILES, L"ファイルリスト: "},
};

// F1 on each control shows its text in a pop-up whose top centre is at the pointer, which a
// key closes without the key reaching the window (Esc would end Kibrel) and a click closes as
// well; no "Error Context ID" message comes.
TEST_F(StandInHelpEngine, F1OnEachControlShowsItsTextAtThePointer) {
    startWithFile();
    for (std::size_t i = 0; i < std::size(controlPopups); ++i) {
        const ControlPopup& expected = controlPopups[i];
        SCOPED_TRACE(expected.id);
        const POINT pointer{400 + 23 * static_cast<LONG>(i), 300 + 41 * static_cast<LONG>(i)};
        ASSERT_TRUE(movePointer(pointer));
        ASSERT_TRUE(focusControl(window_, control(expected.id)));
        ASSERT_TRUE(pressKeyAsUser(window_, VK_F1));
        const HWND popup = waitForWindow(popupWindowClass);
        ASSERT_NE(popup, nullptr) << "no pop-up";
        const std::wstring text = wideText(popup);
        EXPECT_TRUE(text.starts_with(expected.begins)) << windowText(popup);
        EXPECT_EQ(text.find(L'\n'), std::wstring::npos) << "the text of one topic only";
        const RECT place = windowRect(popup);
        EXPECT_EQ(place.top, pointer.y);
        EXPECT_NEAR((place.left + place.right) / 2, pointer.x, 1);
        EXPECT_EQ(ownerOf(popup), window_);
        EXPECT_EQ(windowsOfClass(program_, popupWindowClass).size(), 1u);
        ASSERT_TRUE(pressKeyAsUser(window_, VK_ESCAPE));
        ASSERT_TRUE(gone(popup)) << "a key closes the pop-up";
    }
    Sleep(settleMs);
    EXPECT_EQ(program_.findMainWindow(), window_) << "the key that closed a pop-up reached Kibrel";

    ASSERT_TRUE(pressKeyAsUser(window_, VK_F1));
    const HWND popup = waitForWindow(popupWindowClass);
    ASSERT_NE(popup, nullptr);
    // A click on the window, away from the pop-up.
    const RECT main = windowRect(window_);
    ASSERT_TRUE(clickAt({main.left + 20, main.top + 40}));
    EXPECT_TRUE(gone(popup)) << "a click elsewhere closes the pop-up";
    Sleep(settleMs);
    EXPECT_EQ(program_.findMessageBox(), nullptr);
}

// F1 in the message about braces inside parentheses shows the text of its help number, 1050.
TEST_F(StandInHelpEngine, F1InTheBracesInParenthesesMessageShowsItsText) {
    startWithFile();
    ASSERT_TRUE(typeText(control(IDC_SEARCH), "({a})"));
    ASSERT_TRUE(clickButton(control(IDC_ACTION)));
    const HWND box = program_.waitForMessageBox(defaultTimeoutMs);
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(pressKeyAsUser(box, VK_F1));
    const HWND popup = waitForWindow(popupWindowClass);
    ASSERT_NE(popup, nullptr);
    // Wine asks twice for one press: let the second pop-up take the first one's place.
    Sleep(settleMs);
    const std::vector<HWND> popups = windowsOfClass(program_, popupWindowClass);
    ASSERT_EQ(popups.size(), 1u);
    EXPECT_TRUE(wideText(popups.front()).starts_with(L"領域 { } は丸かっこ ( ) の中に書けません。"))
        << windowText(popups.front());
    for (HWND window : program_.visibleWindows())
        EXPECT_TRUE(window == box || !isMessageBox(window)) << readMessageBox(window).text;
}

// The menu opens the help window with the contents and the first page; a link in the page
// and an entry of the index each open their page.
TEST_F(StandInHelpEngine, HelpMenuOpensTheContentsWhereLinksAndIndexEntriesOpenPages) {
    startWithFile();
    ASSERT_TRUE(pressKeyAsUser(window_, 'H', {VK_MENU}));
    const HWND help = waitForWindow(helpWindowClass);
    ASSERT_NE(help, nullptr) << "the help window did not open";
    EXPECT_EQ(wideText(help), L"Kibrel ヘルプ");
    EXPECT_EQ(ownerOf(help), window_);
    const HWND page = childById(help, help_engine::pageId);
    ASSERT_NE(page, nullptr);
    std::wstring text = richEditText(page);
    EXPECT_TRUE(text.starts_with(L"Kibrel へようこそ\r")) << windowText(page);
    EXPECT_NE(text.find(L"名前を変えたいファイルをリストに入れます。"), std::wstring::npos);
    EXPECT_TRUE(IsWindowVisible(childById(help, help_engine::contentsTreeId)));

    // The link in "（ファイルリスト）" of the first step.
    const std::size_t link = text.find(L"（ファイルリスト）");
    ASSERT_NE(link, std::wstring::npos);
    const std::optional<POINT> linkAt = characterOnScreen(page, static_cast<long>(link + 2));
    ASSERT_TRUE(linkAt);
    ASSERT_TRUE(clickAt(*linkAt));
    EXPECT_TRUE(waitUntil([&] { return richEditText(page).starts_with(L"ファイルリスト\r"); },
                          defaultTimeoutMs))
        << windowText(page);

    // The index: the keyword typed and Enter pressed.
    const std::optional<POINT> indexTab = tabOnScreen(childById(help, help_engine::tabsId), 1);
    ASSERT_TRUE(indexTab);
    ASSERT_TRUE(clickAt(*indexTab));
    const HWND keyword = childById(help, help_engine::indexEditId);
    ASSERT_TRUE(waitUntil([&] { return IsWindowVisible(keyword) != FALSE; }, defaultTimeoutMs));
    ASSERT_TRUE(typeText(keyword, "Wine"));
    ASSERT_EQ(focusedWindowOf(help), keyword) << "the index tab puts the keyboard in its field";
    ASSERT_TRUE(pressKeyAsUser(help, VK_RETURN));
    ASSERT_TRUE(waitUntil([&] { return richEditText(page).starts_with(L"ヘルプの出し方\r"); },
                          defaultTimeoutMs))
        << windowText(page);
    // At the keyword's place in the page: the caret stands at the start of its paragraph.
    text = richEditText(page);
    const std::size_t place = text.find(L"\rWine で使う場合");
    ASSERT_NE(place, std::wstring::npos);
    DWORD_PTR selection = 0;
    ASSERT_TRUE(
        SendMessageTimeoutW(page, EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, defaultTimeoutMs, &selection));
    EXPECT_EQ(LOWORD(selection), place + 1);
    EXPECT_GT(SendMessageW(page, EM_GETFIRSTVISIBLELINE, 0, 0), 0) << "scrolled to the place";
    Sleep(settleMs);
    EXPECT_EQ(program_.findMessageBox(), nullptr);
}

// The help file cut short while Kibrel runs, after a pop-up of the whole file: the engine sees
// the file as it is now, so F1 gets Kibrel's "Error Context ID" message, the menu nothing at
// all.
TEST_F(StandInHelpEngine, HelpFileCutShortAfterAPopupShowsNothingAndKibrelReportsThePopup) {
    ASSERT_TRUE(folder_.copyFileIn(kibrelPath(), "kibrel.exe"));
    ASSERT_TRUE(folder_.copyFileIn(libraryPath(), "jre32.dll"));
    std::ifstream whole(programFolder() + "kibrel.chm", std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(whole),
                            std::istreambuf_iterator<char>()};
    ASSERT_GT(bytes.size(), 10000u);
    ASSERT_TRUE(folder_.writeFile("kibrel.chm", bytes));
    const std::string program = folder_.pathOf("kibrel.exe");
    ASSERT_TRUE(start(quotedProgram(program), program));
    window_ = program_.waitForMainWindow(defaultTimeoutMs);
    ASSERT_NE(window_, nullptr);

    ASSERT_TRUE(focusControl(window_, control(IDC_SEARCH)));
    ASSERT_TRUE(pressKeyAsUser(window_, VK_F1));
    const HWND popup = waitForWindow(popupWindowClass);
    ASSERT_NE(popup, nullptr) << "no pop-up of the whole file";
    ASSERT_TRUE(pressKeyAsUser(window_, VK_ESCAPE));
    ASSERT_TRUE(gone(popup));

    ASSERT_TRUE(folder_.writeFile("kibrel.chm", bytes.substr(0, bytes.size() / 2)));
    ASSERT_TRUE(pressKeyAsUser(window_, VK_F1));
    const HWND box = program_.waitForMessageBox(defaultTimeoutMs);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(readMessageBox(box).text, "Error Context ID\n\n   File Path [ " +
                                            folder_.pathOf("kibrel.chm") +
                                            " ]\n  ContextID [0x0 + 0x2af9(11001)]");
    EXPECT_TRUE(windowsOfClass(program_, popupWindowClass).empty());
    ASSERT_TRUE(pressBoxButton(box, IDOK));
    ASSERT_TRUE(waitUntil([&] { return program_.findMessageBox() == nullptr; }, defaultTimeoutMs));

    ASSERT_TRUE(pressKeyAsUser(window_, 'H', {VK_MENU}));
    Sleep(2 * settleMs);
    EXPECT_TRUE(windowsOfClass(program_, helpWindowClass).empty());
    EXPECT_EQ(program_.findMessageBox(), nullptr);
}

} // namespace
} // namespace e2e
