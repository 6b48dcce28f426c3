#include "ansi.h"
#include "combo_box.h"
#include "kibrel_fixture.h"
#include "list_view.h"
#include "message_box.h"
#include "resource.h"
#include "screen_capture.h"
#include "test_paths.h"
#include "user_input.h"
#include "wait.h"
#include "window_query.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace e2e {
namespace {

using Rows = std::vector<std::vector<std::string>>;
using Files = std::map<std::string, std::string>;
using Entries = std::vector<std::string>;

// The test and rename pass of the action button, driven as a user drives it, on real files.
class Pass : public KibrelFixture {
  protected:
    // Files with their own names as their contents, listed in this order on the command line.
    void startWithFiles(const std::vector<std::string>& names) {
        std::string commandLine = quotedProgram(kibrelPath());
        for (const std::string& name : names) {
            ASSERT_TRUE(folder_.writeFile(name, "contents of " + name)) << name;
            commandLine += " \"" + folder_.pathOf(name) + '"';
        }
        window_ = startMainWindow(commandLine);
        ASSERT_NE(window_, nullptr);
    }
    HWND control(int id) const { return childById(window_, id); }
    std::string button() const { return windowText(control(IDC_ACTION)); }
    Rows rows() const { return RemoteListView(control(IDC_FILES)).rows(); }
    std::vector<std::string> row(const std::string& name, const std::string& newName) const {
        return {folder_.path(), name, newName};
    }
    Files filesNamed(const std::vector<std::pair<std::string, std::string>>& nameAndOldName) {
        Files files;
        for (const auto& [name, oldName] : nameAndOldName)
            files[name] = "contents of " + oldName;
        return files;
    }

    void typeInto(int box, const std::string& text) {
        ASSERT_TRUE(typeReplacing(control(box), text));
    }
    void pressAction() { ASSERT_TRUE(clickButton(control(IDC_ACTION))); }
    bool buttonReads(const std::string& text) {
        return waitUntil([&] { return button() == text; }, defaultTimeoutMs);
    }
    // Types both texts and presses "Test"; true when the button then reads "Rename!".
    bool test(const std::string& search, const std::string& replace) {
        typeInto(IDC_SEARCH, search);
        typeInto(IDC_REPLACE, replace);
        pressAction();
        return buttonReads("Rename!");
    }
    // Presses "Rename!" and closes every failure message with OK; the messages' views.
    std::vector<MessageBoxView> rename() {
        pressAction();
        std::vector<MessageBoxView> failures;
        while (true) {
            const bool settled = waitUntil(
                [&] { return program_.findMessageBox() != nullptr || button() == "Test"; },
                defaultTimeoutMs);
            const HWND box = program_.findMessageBox();
            if (box == nullptr) {
                EXPECT_TRUE(settled) << "the rename pass did not end";
                return failures;
            }
            failures.push_back(readMessageBox(box));
            closeBox(box);
        }
    }
    void closeBox(HWND box) {
        ASSERT_TRUE(pressBoxButton(box, IDOK));
        ASSERT_TRUE(waitUntil([&] { return !IsWindow(box); }, defaultTimeoutMs));
    }
    void expectRenameFailure(const MessageBoxView& view, const std::string& from,
                             const std::string& to) {
        EXPECT_EQ(view.text, "[" + folder_.pathOf(from) + "] -> [" + folder_.pathOf(to) +
                                 "]\n Rename Failed!!");
        EXPECT_EQ(view.caption, "ERROR!");
        EXPECT_STREQ(iconName(view.icon), iconName(BoxIcon::warning));
        EXPECT_EQ(view.owner, window_);
        ASSERT_EQ(view.buttons.size(), 1u);
        EXPECT_EQ(view.buttons[0].id, IDOK);
    }
    // The names of the folder as the Linux file system holds them, decoded from UTF-8 by the
    // platform without the program's code page.
    std::vector<std::wstring> wideNames() const {
        std::vector<std::wstring> names;
        const int units = MultiByteToWideChar(CP_ACP, 0, folder_.path().c_str(), -1, nullptr, 0);
        std::wstring pattern(static_cast<std::size_t>(units), L'\0');
        MultiByteToWideChar(CP_ACP, 0, folder_.path().c_str(), -1, pattern.data(), units);
        pattern.resize(pattern.size() - 1);
        WIN32_FIND_DATAW found;
        const HANDLE search = FindFirstFileW((pattern + L"*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do {
            const std::wstring name = found.cFileName;
            if (name != L"." && name != L"..")
                names.push_back(name);
        } while (FindNextFileW(search, &found));
        FindClose(search);
        return names;
    }

    HWND window_ = nullptr;
};

TEST_F(Pass, TestShowsTheNewNamesAndRenameGivesThemToTheFiles) {
    const std::string hyoHyphen = ansi("表-1.txt"); // 表 is 95 5C
    ASSERT_NO_FATAL_FAILURE(startWithFiles({"a-b-c.txt", hyoHyphen, "plain.txt"}));
    EXPECT_EQ(button(), "Test");
    ASSERT_TRUE(test("-", "_"));
    EXPECT_EQ(rows(), (Rows{row("a-b-c.txt", "a_b_c.txt"), row(hyoHyphen, ansi("表_1.txt")),
                            row("plain.txt", "plain.txt")}));
    EXPECT_EQ(folder_.contents().size(), 3u) << "a test touches no file";

    EXPECT_TRUE(rename().empty()) << "no failure message";
    EXPECT_EQ(button(), "Test");
    EXPECT_EQ(rows(), Rows{}) << "every renamed row leaves the list, also one renamed onto itself";
    EXPECT_EQ(folder_.contents(), filesNamed({{"a_b_c.txt", "a-b-c.txt"},
                                              {ansi("表_1.txt"), hyoHyphen},
                                              {"plain.txt", "plain.txt"}}));
}

TEST_F(Pass, RegionsMoveDoubleByteCharactersWhoseSecondByteIs5C) {
    const std::string hyo = ansi("表1.txt"); // 95 5C 31
    const std::string so = ansi("ソ2.txt");  // 83 5C 32
    ASSERT_NO_FATAL_FAILURE(startWithFiles({hyo, so}));
    ASSERT_TRUE(test("{[^0-9]+}{\\d}", "\\2\\1"));
    EXPECT_EQ(rows(), (Rows{row(hyo, ansi("1表.txt")), row(so, ansi("2ソ.txt"))}));
    EXPECT_TRUE(rename().empty());
    EXPECT_EQ(folder_.contents(), filesNamed({{ansi("1表.txt"), hyo}, {ansi("2ソ.txt"), so}}));
    std::vector<std::wstring> names = wideNames();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"1\u8868.txt", L"2\u30bd.txt"}));
}

TEST_F(Pass, TheReplaceTextNumbersTheListedFilesInListOrder) {
    ASSERT_NO_FATAL_FAILURE(startWithFiles({"beach.jpg", "city.jpg", "dunes.jpg"}));
    ASSERT_TRUE(test("{.*}\\.jpg", "img_\\##.jpg"));
    EXPECT_EQ(rows(), (Rows{row("beach.jpg", "img_01.jpg"), row("city.jpg", "img_02.jpg"),
                            row("dunes.jpg", "img_03.jpg")}));
    EXPECT_TRUE(rename().empty());
    EXPECT_EQ(folder_.contents(), filesNamed({{"img_01.jpg", "beach.jpg"},
                                              {"img_02.jpg", "city.jpg"},
                                              {"img_03.jpg", "dunes.jpg"}}));
}

TEST_F(Pass, AChainFailsOnTheFirstRowAndRenamesTheSecond) {
    ASSERT_NO_FATAL_FAILURE(startWithFiles({"x.txt", "xx.txt"}));
    // Each remainder starts a text of its own, so '^x' matches again behind each replacement.
    ASSERT_TRUE(test("^x", "xx"));
    EXPECT_EQ(rows(), (Rows{row("x.txt", "xx.txt"), row("xx.txt", "xxxx.txt")}));
    const std::vector<MessageBoxView> failures = rename();
    ASSERT_EQ(failures.size(), 1u);
    expectRenameFailure(failures[0], "x.txt", "xx.txt");
    EXPECT_EQ(rows(), (Rows{row("x.txt", "xx.txt")})) << "the pass does not go back";
    EXPECT_EQ(button(), "Test");
    EXPECT_EQ(folder_.contents(), filesNamed({{"x.txt", "x.txt"}, {"xxxx.txt", "xx.txt"}}));
}

TEST_F(Pass, FailuresInTheMiddleShowTheirMessagesInListOrderAndThePassGoesOn) {
    ASSERT_NO_FATAL_FAILURE(startWithFiles({"a-1", "b-1", "c-1", "d-1", "e-1"}));
    ASSERT_TRUE(folder_.writeFile("b_1", "in the way"));
    ASSERT_TRUE(folder_.writeFile("d_1", "in the way"));
    ASSERT_TRUE(test("-", "_"));
    pressAction();
    // What the list holds while each message is open.
    std::vector<Rows> rowsAtMessages;
    for (const char* name : {"b-1", "d-1"}) {
        const HWND box = program_.waitForMessageBox(defaultTimeoutMs);
        ASSERT_NE(box, nullptr) << name;
        std::string newName = name;
        newName[1] = '_';
        expectRenameFailure(readMessageBox(box), name, newName);
        rowsAtMessages.push_back(rows());
        closeBox(box);
    }
    EXPECT_TRUE(buttonReads("Test"));
    EXPECT_EQ(rowsAtMessages,
              (std::vector<Rows>{
                  {row("b-1", "b_1"), row("c-1", "c_1"), row("d-1", "d_1"), row("e-1", "e_1")},
                  {row("b-1", "b_1"), row("d-1", "d_1"), row("e-1", "e_1")}}))
        << "a renamed row has left the list by the next failure's message";
    EXPECT_EQ(rows(), (Rows{row("b-1", "b_1"), row("d-1", "d_1")}));
    Files files = filesNamed(
        {{"a_1", "a-1"}, {"b-1", "b-1"}, {"c_1", "c-1"}, {"d-1", "d-1"}, {"e_1", "e-1"}});
    files["b_1"] = files["d_1"] = "in the way";
    EXPECT_EQ(folder_.contents(), files);
}

// Between Test and Rename! another program saves a file of its own under a listed name (made
// beside it, then moved into its place, as editors save): the row fails and stays, and that
// file keeps its name and contents.
TEST_F(Pass, AFilePutInTheListedFilesPlaceIsNotRenamed) {
    ASSERT_NO_FATAL_FAILURE(startWithFiles({"a-1.txt", "b-2.txt"}));
    ASSERT_TRUE(test("-", "_"));
    ASSERT_TRUE(folder_.writeFile("saved.tmp", "another program's file"));
    ASSERT_TRUE(DeleteFileA(folder_.pathOf("a-1.txt").c_str()));
    ASSERT_TRUE(MoveFileA(folder_.pathOf("saved.tmp").c_str(), folder_.pathOf("a-1.txt").c_str()));
    const std::vector<MessageBoxView> failures = rename();
    ASSERT_EQ(failures.size(), 1u);
    expectRenameFailure(failures[0], "a-1.txt", "a_1.txt");
    EXPECT_EQ(rows(), (Rows{row("a-1.txt", "a_1.txt")}));
    EXPECT_EQ(folder_.contents(),
              (Files{{"a-1.txt", "another program's file"}, {"b_2.txt", "contents of b-2.txt"}}));
}

TEST_F(Pass, SwappedNamesBothFailAndStay) {
    ASSERT_NO_FATAL_FAILURE(startWithFiles({"1-2.txt", "2-1.txt"}));
    ASSERT_TRUE(test("{\\d}-{\\d}", "\\2-\\1"));
    const std::vector<MessageBoxView> failures = rename();
    ASSERT_EQ(failures.size(), 2u);
    expectRenameFailure(failures[0], "1-2.txt", "2-1.txt");
    expectRenameFailure(failures[1], "2-1.txt", "1-2.txt");
    EXPECT_EQ(rows(), (Rows{row("1-2.txt", "2-1.txt"), row("2-1.txt", "1-2.txt")}));
    EXPECT_EQ(folder_.contents(), filesNamed({{"1-2.txt", "1-2.txt"}, {"2-1.txt", "2-1.txt"}}));
}

// How a row is drawn, told by its pixels: the forecast's background behind a row whose rename
// would fail, its red text alone in a row whose new name such a row wants too.
enum class Look { normal, fails, sharesNewName, unreadable };

std::vector<Look> looksOf(const RemoteListView& list) {
    std::vector<Look> looks;
    for (int item = 0; item < list.itemCount(); ++item) {
        const std::optional<RECT> area = list.itemScreenRect(item);
        if (!area) {
            looks.push_back(Look::unreadable);
            continue;
        }
        bool background = false;
        bool redText = false;
        for (const std::uint32_t pixel : captureScreen(*area).values) {
            const unsigned red = (pixel >> 16) & 0xFF, green = (pixel >> 8) & 0xFF,
                           blue = pixel & 0xFF;
            background = background || (red == 255 && green == 224 && blue == 224);
            redText = redText || (red >= 128 && green < 96 && blue < 96);
        }
        looks.push_back(background ? Look::fails : redText ? Look::sharesNewName : Look::normal);
    }
    return looks;
}

// After Test the window shows which renames in list order would fail: a new name that a file of
// no row holds, and the later of two rows with one new name (the earlier one, which gets it, is
// shown too). An edit draws every row normally again; Rename! fails exactly the rows drawn
// failing, with the messages it always gave.
TEST_F(Pass, TestShowsTheRowsWhoseRenameWouldFailAndRenameIsUnchanged) {
    ASSERT_TRUE(folder_.writeFile("q.txt", "contents of q.txt"));
    ASSERT_NO_FATAL_FAILURE(startWithFiles({"p1.txt", "q2.txt", "s3.txt", "s4.txt", "t5.txt"}));
    const RemoteListView list(control(IDC_FILES));
    using enum Look;
    const std::vector<Look> foreseen = {normal, fails, sharesNewName, fails, normal};
    ASSERT_TRUE(test("\\d", ""));
    EXPECT_TRUE(waitUntil([&] { return looksOf(list) == foreseen; }, defaultTimeoutMs))
        << "rows drawn " << testing::PrintToString(looksOf(list));
    const std::string screenshot = artifactsFolder() + "Pass.ForeseenFailures.bmp";
    CreateDirectoryA(artifactsFolder().c_str(), nullptr);
    ASSERT_TRUE(writeBitmapFile(captureWholeScreen(), screenshot));
    std::printf("[ SCREENSHOT ] %s\n", hostPath(screenshot).c_str());

    ASSERT_TRUE(typeText(control(IDC_REPLACE), "_"));
    ASSERT_TRUE(buttonReads("Test"));
    EXPECT_TRUE(
        waitUntil([&] { return looksOf(list) == std::vector<Look>(5, normal); }, defaultTimeoutMs))
        << "an edit: rows drawn " << testing::PrintToString(looksOf(list));

    ASSERT_TRUE(test("\\d", ""));
    EXPECT_TRUE(waitUntil([&] { return looksOf(list) == foreseen; }, defaultTimeoutMs));
    const std::vector<MessageBoxView> failures = rename();
    ASSERT_EQ(failures.size(), 2u);
    expectRenameFailure(failures[0], "q2.txt", "q.txt");
    expectRenameFailure(failures[1], "s4.txt", "s.txt");
    EXPECT_EQ(rows(), (Rows{row("q2.txt", "q.txt"), row("s4.txt", "s.txt")}));
    EXPECT_EQ(looksOf(list), std::vector<Look>(2, normal)) << "the button reads Test again";
    EXPECT_EQ(folder_.contents(), filesNamed({{"p.txt", "p1.txt"},
                                              {"q.txt", "q.txt"},
                                              {"q2.txt", "q2.txt"},
                                              {"s.txt", "s3.txt"},
                                              {"s4.txt", "s4.txt"},
                                              {"t.txt", "t5.txt"}}));
}

struct RefusedCase {
    const char* name;
    const char* search;
    const char* textUtf8;
    BoxIcon icon;
    std::vector<int> buttons;
};

void PrintTo(const RefusedCase& c, std::ostream* out) {
    *out << c.search;
}

class RefusedPattern : public Pass, public testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedPattern, ShowsItsMessageAndChangesNothing) {
    const RefusedCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(startWithFiles({"a.txt"}));
    typeInto(IDC_SEARCH, c.search);
    typeInto(IDC_REPLACE, "b");
    pressAction();
    const HWND box = program_.waitForMessageBox(defaultTimeoutMs);
    ASSERT_NE(box, nullptr);
    const MessageBoxView view = readMessageBox(box);
    EXPECT_EQ(view.text, ansi(c.textUtf8));
    EXPECT_EQ(view.caption, "kibrel");
    EXPECT_EQ(view.owner, window_);
    EXPECT_STREQ(iconName(view.icon), iconName(c.icon));
    std::vector<int> ids;
    for (const BoxButton& b : view.buttons)
        ids.push_back(b.id);
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids, c.buttons);
    closeBox(box);
    EXPECT_EQ(button(), "Test");
    EXPECT_EQ(rows(), (Rows{row("a.txt", "")}));
    EXPECT_EQ(comboEntries(control(IDC_SEARCH)), Entries{});
    EXPECT_EQ(comboEntries(control(IDC_REPLACE)), Entries{});
}

INSTANTIATE_TEST_SUITE_P(
    Messages, RefusedPattern,
    testing::Values(
        RefusedCase{"EmptySearch", "", "正規表現の使い方が間違っとるぞ。", BoxIcon::none, {IDOK}},
        RefusedCase{
            "UnpairedBrace", "{a", "正規表現の使い方が間違っとるぞ。", BoxIcon::none, {IDOK}},
        RefusedCase{"RegionInParentheses",
                    "({a})",
                    "( )の中に{ }を入れることはできません\n"
                    "詳しくはヘルプを参照してください",
                    BoxIcon::information,
                    {IDOK, IDHELP}}),
    [](const testing::TestParamInfo<RefusedCase>& info) { return info.param.name; });

TEST_F(Pass, EverythingThatMakesTheNamesStalePutsTheButtonBackToTest) {
    ASSERT_NO_FATAL_FAILURE(startWithFiles({"a-1", "a-2", "a-3"}));
    ASSERT_TRUE(test("-", "_"));
    ASSERT_TRUE(typeText(control(IDC_SEARCH), "x"));
    EXPECT_TRUE(buttonReads("Test")) << "an edit in the Search box";

    ASSERT_TRUE(test("-", "_"));
    ASSERT_TRUE(typeText(control(IDC_REPLACE), "x"));
    EXPECT_TRUE(buttonReads("Test")) << "an edit in the Replace box";

    ASSERT_TRUE(test("-", "_"));
    const HWND searchEdit = FindWindowExA(control(IDC_SEARCH), nullptr, "Edit", nullptr);
    ASSERT_TRUE(pressKey(searchEdit, VK_DOWN));
    EXPECT_TRUE(buttonReads("Test")) << "a choice from the Search list";

    ASSERT_TRUE(test("-", "_"));
    const RemoteListView list(control(IDC_FILES));
    ASSERT_GE(list.appendRow(folder_.path(), "new"), 0);
    EXPECT_TRUE(buttonReads("Test")) << "a row added";

    ASSERT_TRUE(test("-", "_"));
    ASSERT_TRUE(list.deleteRow(0));
    ASSERT_TRUE(list.deleteRow(0));
    ASSERT_TRUE(list.deleteRow(0));
    Sleep(200);
    EXPECT_EQ(button(), "Rename!") << "rows removed while one remains";
    EXPECT_EQ(rows(), (Rows{row("new", "new")}));
    ASSERT_TRUE(list.deleteRow(0));
    EXPECT_TRUE(buttonReads("Test")) << "the last row removed";
}

TEST_F(Pass, ASuccessfulTestPutsBothTextsOnTopOfTheirHistories) {
    ASSERT_NO_FATAL_FAILURE(startWithFiles({"a-1"}));
    ASSERT_TRUE(test("P", "S"));
    ASSERT_TRUE(test("Q", "T"));
    ASSERT_TRUE(test("-", ""));
    EXPECT_EQ(comboEntries(control(IDC_SEARCH)), (Entries{"-", "Q", "P"}));
    EXPECT_EQ(comboEntries(control(IDC_REPLACE)), (Entries{"T", "S"}));
    Sleep(200);
    EXPECT_EQ(button(), "Rename!") << "the program's own changes of the lists raise no change";
    EXPECT_EQ(windowText(control(IDC_SEARCH)), "-") << "the edit field keeps its text";
}

} // namespace
} // namespace e2e
