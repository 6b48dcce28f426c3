#include "ansi.h"
#include "drop_files.h"
#include "kibrel_fixture.h"
#include "list_view.h"
#include "message_box.h"
#include "resource.h"
#include "system_input.h"
#include "user_input.h"
#include "wait.h"
#include "window_query.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace e2e {
namespace {

using Rows = std::vector<std::vector<std::string>>;

// Adding rows by dropping and through the List button, removing them with Unlist and Delete,
// and selecting them all with Ctrl+A, as a user does.
class ListEditing : public KibrelFixture {
  protected:
    void startWithFiles(const std::vector<std::string>& names) {
        std::string commandLine = quotedProgram(kibrelPath());
        for (const std::string& name : names) {
            ASSERT_TRUE(folder_.writeFile(name, name)) << name;
            commandLine += " \"" + folder_.pathOf(name) + '"';
        }
        window_ = startMainWindow(commandLine);
        ASSERT_NE(window_, nullptr);
    }
    HWND control(int id) const { return childById(window_, id); }
    RemoteListView list() const { return RemoteListView(control(IDC_FILES)); }
    Rows rows() const { return list().rows(); }
    std::vector<std::string> row(const std::string& name) const {
        return {folder_.path(), name, ""};
    }
    std::vector<int> selectedRows() const {
        std::vector<int> selected;
        for (int i = 0; i < list().itemCount(); ++i) {
            if (list().itemState(i, LVIS_SELECTED) != 0)
                selected.push_back(i);
        }
        return selected;
    }
    void selectOnly(const std::vector<int>& selected) {
        for (int i = 0; i < list().itemCount(); ++i) {
            const bool on = std::find(selected.begin(), selected.end(), i) != selected.end();
            ASSERT_TRUE(list().select(i, on));
        }
    }
    // Clicks into the list below its rows, which gives it the focus and clears the selection.
    void focusList() {
        ASSERT_TRUE(clickCentre(control(IDC_FILES)));
        ASSERT_TRUE(waitUntil([&] { return focusedWindowOf(window_) == control(IDC_FILES); },
                              defaultTimeoutMs));
    }
    bool rowCountBecomes(int count) {
        return waitUntil([&] { return list().itemCount() == count; }, defaultTimeoutMs);
    }
    std::string button() const { return windowText(control(IDC_ACTION)); }
    bool testPass() {
        if (!typeText(control(IDC_SEARCH), "-") || !clickButton(control(IDC_ACTION)))
            return false;
        return waitUntil([&] { return button() == "Rename!"; }, defaultTimeoutMs);
    }

    HWND window_ = nullptr;
};

TEST_F(ListEditing, DroppedFilesAndFoldersBecomeRowsInDropOrder) {
    ASSERT_NO_FATAL_FAILURE(startWithFiles({}));
    ASSERT_TRUE(folder_.writeFile("a.txt"));
    ASSERT_TRUE(folder_.writeFile("b.txt"));
    ASSERT_TRUE(folder_.makeFolder("photos"));
    const std::string hyo = ansi("表");
    ASSERT_TRUE(folder_.writeFile(hyo));
    ASSERT_TRUE(dropFiles(window_, {folder_.pathOf("b.txt"), folder_.pathOf("a.txt"),
                                    folder_.pathOf("photos"), "C:\\", folder_.pathOf("b.txt"),
                                    folder_.pathOf(hyo)}));
    EXPECT_EQ(
        rows(),
        (Rows{
            row("b.txt"), row("a.txt"), row("photos"), {"C:\\", "", ""}, row("b.txt"), row(hyo)}));
    EXPECT_EQ(focusedWindowOf(window_), control(IDC_FILES)) << "the list gets the focus";

    ASSERT_TRUE(dropFiles(window_, {}));
    EXPECT_EQ(list().itemCount(), 6) << "a drop with no paths adds nothing";
}

TEST_F(ListEditing, ADroppedPathLongerThan260BytesIsListedWhole) {
    ASSERT_NO_FATAL_FAILURE(startWithFiles({}));
    const std::string longPath = "C:\\" + std::string(150, 'f') + "\\" + std::string(200, 'n');
    ASSERT_TRUE(dropFiles(window_, {longPath}));
    EXPECT_EQ(rows(), (Rows{{"C:\\" + std::string(150, 'f') + "\\", std::string(200, 'n'), ""}}));
}

// The edit field of the open-file dialog's file name box (control 1148, or 1152 when it is a
// plain edit), wherever it lies among the dialog's descendants.
HWND fileNameField(HWND dialog) {
    struct Search {
        HWND found = nullptr;
    } search;
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (windowClass(child) != "Edit")
                return TRUE;
            for (HWND w = child; w != nullptr && w != GetAncestor(w, GA_ROOT); w = GetParent(w)) {
                if (controlId(w) == 1148 || controlId(w) == 1152) {
                    s->found = child;
                    return FALSE;
                }
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST_F(ListEditing, FilesChosenInTheOpenFileDialogAreListedAsFolderAndName) {
    ASSERT_NO_FATAL_FAILURE(startWithFiles({}));
    ASSERT_TRUE(folder_.writeFile("one.txt"));
    ASSERT_TRUE(folder_.writeFile("two.txt"));
    ASSERT_TRUE(clickButton(control(IDC_LIST)));
    HWND dialog = nullptr;
    ASSERT_TRUE(waitUntil(
        [&] {
            for (HWND w : program_.visibleWindows()) {
                if (w != window_ && windowClass(w) == "#32770" && fileNameField(w) != nullptr)
                    dialog = w;
            }
            return dialog != nullptr;
        },
        defaultTimeoutMs))
        << "no open-file dialog appeared";
    EXPECT_FALSE(IsWindowEnabled(window_)) << "the main window is disabled meanwhile";
    ASSERT_TRUE(typeText(fileNameField(dialog), "\"one.txt\" \"two.txt\""));
    ASSERT_TRUE(clickButton(childById(dialog, IDOK)));
    ASSERT_TRUE(rowCountBecomes(2));
    Rows listed = rows();
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (Rows{row("one.txt"), row("two.txt")}));
}

TEST_F(ListEditing, UnlistAndDeleteRemoveExactlyTheSelectedRows) {
    ASSERT_NO_FATAL_FAILURE(startWithFiles({"r0", "r1", "r2", "r3", "r4", "r5", "r6"}));
    selectOnly({1, 3, 4});
    ASSERT_TRUE(clickButton(control(IDC_UNLIST)));
    ASSERT_TRUE(rowCountBecomes(4));
    EXPECT_EQ(rows(), (Rows{row("r0"), row("r2"), row("r5"), row("r6")}));

    ASSERT_NO_FATAL_FAILURE(focusList());
    selectOnly({1});
    ASSERT_TRUE(pressChord({}, VK_DELETE));
    ASSERT_TRUE(rowCountBecomes(3));
    EXPECT_EQ(rows(), (Rows{row("r0"), row("r5"), row("r6")}));

    selectOnly({0, 2});
    ASSERT_TRUE(pressChord({VK_SHIFT}, VK_DELETE));
    ASSERT_TRUE(rowCountBecomes(1));
    EXPECT_EQ(rows(), (Rows{row("r5")}));

    selectOnly({});
    ASSERT_TRUE(clickButton(control(IDC_UNLIST)));
    ASSERT_TRUE(pressChord({}, VK_DELETE));
    Sleep(300);
    EXPECT_EQ(rows(), (Rows{row("r5")})) << "nothing selected, nothing removed";
}

TEST_F(ListEditing, CtrlASelectsEveryRowAndAAloneDoesNot) {
    ASSERT_NO_FATAL_FAILURE(startWithFiles({"x1", "y2", "z3"}));
    ASSERT_NO_FATAL_FAILURE(focusList());
    selectOnly({});
    ASSERT_TRUE(pressChord({}, 'A'));
    Sleep(300);
    EXPECT_EQ(selectedRows(), std::vector<int>{});
    ASSERT_TRUE(pressChord({VK_CONTROL}, 'A'));
    EXPECT_TRUE(waitUntil(
        [&] {
            return selectedRows() == std::vector<int>{0, 1, 2};
        },
        defaultTimeoutMs));
}

TEST_F(ListEditing, AddingARowDisarmsAndRemovingSomeRowsDoesNot) {
    ASSERT_NO_FATAL_FAILURE(startWithFiles({"a-1", "a-2", "a-3"}));
    ASSERT_TRUE(testPass());
    ASSERT_TRUE(folder_.writeFile("a-4"));
    ASSERT_TRUE(dropFiles(window_, {folder_.pathOf("a-4")}));
    EXPECT_EQ(button(), "Test") << "a dropped row";

    ASSERT_TRUE(clickButton(control(IDC_ACTION)));
    ASSERT_TRUE(waitUntil([&] { return button() == "Rename!"; }, defaultTimeoutMs));
    selectOnly({0, 2});
    ASSERT_TRUE(clickButton(control(IDC_UNLIST)));
    ASSERT_TRUE(rowCountBecomes(2));
    EXPECT_EQ(button(), "Rename!") << "rows removed while others remain";
    EXPECT_EQ(rows(), (Rows{{folder_.path(), "a-2", "a2"}, {folder_.path(), "a-4", "a4"}}));
}

TEST_F(ListEditing, ExitEndsTheWindowWithTheCancelResult) {
    ASSERT_NO_FATAL_FAILURE(startWithFiles({}));
    ASSERT_TRUE(clickButton(control(IDC_EXIT)));
    ASSERT_TRUE(program_.waitForExit(defaultTimeoutMs));
}

// café_… beside the plain cafe_… that the platform's best fit makes of it, two names beyond code
// page 932 and one it holds, all given at once: only the one it holds is listed, a single
// message names the others (what the code page lacks shown as "?"), and Test and Rename!
// rename that one file and nothing else.
class LookAlikes : public ListEditing {
  protected:
    void SetUp() override {
        ListEditing::SetUp();
        for (const auto& [name, contents] : before)
            ASSERT_TRUE(folder_.writeUtf8File(name, contents)) << name;
    }
    // The given names as full paths in wide characters.
    std::vector<std::wstring> givenPaths() const {
        std::vector<std::wstring> paths;
        for (const char* name : given)
            paths.push_back(wide(folder_.path()) + wide(name));
        return paths;
    }
    void expectTheMessageNamingThoseNotListed() {
        const HWND box = program_.waitForMessageBox(defaultTimeoutMs);
        ASSERT_NE(box, nullptr) << "no message names the paths left out";
        const MessageBoxView view = readMessageBox(box);
        EXPECT_EQ(view.text, ansi("次のパスには、このシステムのコードページにない文字（?で示した"
                                  "もの）があるため、対象から外しました:") +
                                 "\n" + folder_.pathOf("caf?_2001_0903.jpg") + "\n" +
                                 folder_.pathOf("??_1.txt") + "\n" + folder_.pathOf("??_1.txt"));
        EXPECT_STREQ(iconName(view.icon), iconName(BoxIcon::warning));
        ASSERT_TRUE(pressBoxButton(box, IDOK));
        ASSERT_TRUE(waitUntil([&] { return !IsWindow(box); }, defaultTimeoutMs));
    }
    void expectOnlyTheHeldFileRenamed() {
        ASSERT_TRUE(rowCountBecomes(1));
        EXPECT_EQ(rows(), (Rows{row(ansi("表_2001_0903.jpg"))}));
        ASSERT_TRUE(typeReplacing(control(IDC_SEARCH), "{\\d\\d\\d\\d}_{\\d\\d\\d\\d}"));
        ASSERT_TRUE(typeReplacing(control(IDC_REPLACE), "\\2-\\1"));
        ASSERT_TRUE(clickButton(control(IDC_ACTION)));
        ASSERT_TRUE(waitUntil([&] { return button() == "Rename!"; }, defaultTimeoutMs));
        ASSERT_TRUE(clickButton(control(IDC_ACTION)));
        ASSERT_TRUE(rowCountBecomes(0)) << "the held file's row is renamed and leaves the list";
        std::map<std::string, std::string> after = before;
        after.erase("表_2001_0903.jpg");
        after["表_0903-2001.jpg"] = "held";
        EXPECT_EQ(folder_.utf8Contents(), after);
    }

    const std::map<std::string, std::string> before = {{"café_2001_0903.jpg", "accent"},
                                                       {"cafe_2001_0903.jpg", "plain"},
                                                       {"表_2001_0903.jpg", "held"},
                                                       {"한국_1.txt", "hangul"},
                                                       {"😀_1.txt", "emoji"}};
    const std::vector<const char*> given = {"café_2001_0903.jpg", "表_2001_0903.jpg", "한국_1.txt",
                                            "😀_1.txt"};
};

TEST_F(LookAlikes, GivenOnTheCommandLine) {
    std::wstring commandLine = L"\"" + wide(kibrelPath()) + L"\"";
    for (const std::wstring& path : givenPaths())
        commandLine += L" \"" + path + L"\"";
    ASSERT_TRUE(start(commandLine));
    ASSERT_NO_FATAL_FAILURE(expectTheMessageNamingThoseNotListed());
    window_ = program_.waitForMainWindow(defaultTimeoutMs);
    ASSERT_NE(window_, nullptr);
    ASSERT_NO_FATAL_FAILURE(expectOnlyTheHeldFileRenamed());
}

TEST_F(LookAlikes, Dropped) {
    ASSERT_NO_FATAL_FAILURE(startWithFiles({}));
    // The drop is handled once the message is closed.
    bool dropped = false;
    std::thread drop([&] { dropped = dropWideFiles(window_, givenPaths()); });
    expectTheMessageNamingThoseNotListed();
    drop.join();
    EXPECT_TRUE(dropped);
    ASSERT_NO_FATAL_FAILURE(expectOnlyTheHeldFileRenamed());
}

TEST_F(LookAlikes, ChosenWithList) {
    ASSERT_NO_FATAL_FAILURE(startWithFiles({}));
    ASSERT_TRUE(clickButton(control(IDC_LIST)));
    HWND dialog = nullptr;
    ASSERT_TRUE(waitUntil(
        [&] {
            for (HWND w : program_.visibleWindows()) {
                if (w != window_ && windowClass(w) == "#32770" && fileNameField(w) != nullptr)
                    dialog = w;
            }
            return dialog != nullptr;
        },
        defaultTimeoutMs));
    std::wstring names;
    for (const char* name : given)
        names += L"\"" + wide(name) + L"\" ";
    ASSERT_TRUE(typeText(fileNameField(dialog), std::wstring_view(names)));
    ASSERT_TRUE(clickButton(childById(dialog, IDOK)));
    ASSERT_NO_FATAL_FAILURE(expectTheMessageNamingThoseNotListed());
    ASSERT_NO_FATAL_FAILURE(expectOnlyTheHeldFileRenamed());
}

} // namespace
} // namespace e2e
