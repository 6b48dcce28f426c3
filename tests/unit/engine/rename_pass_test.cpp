#include "engine_fixture.h"
#include "fake_pass.h"
#include "name_cases.h"

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace {

const std::string folder = "D:\\photos\\";

class RenamePassTest : public EngineTest {
  protected:
    void SetUp() override { rows.pass = &pass; }

    // A row for a file that exists in the fake folder.
    void addFile(const std::string& name) {
        rows.rows.push_back({folder, name, ""});
        renamer.files[folder + name] = "contents of " + name;
    }
    void test(const std::string& search, const std::string& replace) {
        window.search = search;
        window.replace = replace;
        pass.runAction();
    }
    std::vector<std::string> newNames() const {
        std::vector<std::string> names;
        for (const FakeRow& row : rows.rows)
            names.push_back(row.newName);
        return names;
    }
    std::vector<std::string> listedNames() const {
        std::vector<std::string> names;
        for (const FakeRow& row : rows.rows)
            names.push_back(row.name);
        return names;
    }

    FakeRows rows;
    FakeRenamer renamer;
    FakeWindow window;
    RenamePass pass{engine, rows, renamer, window, messages};
};

TEST_F(RenamePassTest, ATestFillsEveryNewNameAndArmsTheButton) {
    addFile("a-b-c.txt");
    addFile("photo.jpg");
    addFile("x-y");
    test("-", "_");
    EXPECT_EQ(newNames(), (std::vector<std::string>{"a_b_c.txt", "photo.jpg", "x_y"}));
    EXPECT_EQ(window.button, "Rename!");
    EXPECT_EQ(pass.renameArmed(), 1);
    EXPECT_EQ(window.cursor, (std::vector<std::string>{"wait", "arrow"}));
    EXPECT_TRUE(renamer.calls.empty());
    EXPECT_EQ(window.searchList.entries, (std::vector<std::string>{"-"}));
    EXPECT_EQ(window.replaceList.entries, (std::vector<std::string>{"_"}));
}

TEST_F(RenamePassTest, AnEmptyListMakesTheTestDoNothingAtAll) {
    test("", "");
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(pass.renameArmed(), 0);
    EXPECT_TRUE(window.cursor.empty());
    EXPECT_TRUE(window.searchList.entries.empty());
}

struct RefusedPattern {
    const char* search;
    SystemText message;
    unsigned type;
    bool withHelp;
};

class RefusedPatternTest : public RenamePassTest,
                           public ::testing::WithParamInterface<RefusedPattern> {};

TEST_P(RefusedPatternTest, ChangesNothingButTheMessage) {
    const RefusedPattern& row = GetParam();
    addFile("a-b.txt");
    window.searchList.entries = {"old"};
    test(row.search, "_");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, fixedText(row.message));
    EXPECT_EQ(messages.shown[0].type, row.type);
    EXPECT_EQ(messages.shown[0].withHelp, row.withHelp);
    if (row.withHelp) {
        EXPECT_EQ(messages.shown[0].helpId, 1050u);
    }
    EXPECT_EQ(pass.renameArmed(), 0);
    EXPECT_EQ(window.button, "Test");
    EXPECT_TRUE(window.cursor.empty());
    EXPECT_EQ(rows.newNamesWritten, 0);
    EXPECT_EQ(window.searchList.entries, (std::vector<std::string>{"old"}));
    EXPECT_TRUE(window.replaceList.entries.empty());
}

INSTANTIATE_TEST_SUITE_P(Patterns, RefusedPatternTest,
                         ::testing::Values(RefusedPattern{"", SystemText::BadPattern, 0, false},
                                           RefusedPattern{"{a", SystemText::BadPattern, 0, false},
                                           RefusedPattern{"(a", SystemText::BadPattern, 0, false},
                                           RefusedPattern{"({a})", SystemText::RegionInGroup,
                                                          0x4040, true}));

class NameCaseTest : public RenamePassTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(NameCaseTest, TheTestPassGivesTheNewNameAndTheMessage) {
    const NameCase& c = GetParam();
    codePage = TableCodePage(c.codePage);
    useLibraryCodePage(std::to_string(c.codePage));
    engine.firstNumber = c.firstNumber;
    addFile(c.name);
    for (const auto& [name, newName] : c.moreRows)
        addFile(name);
    window.search = c.search;
    window.replace = c.replace;
    const PassOutcome outcome = pass.runAction();
    EXPECT_EQ(rows.rows[0].newName, c.newName);
    for (std::size_t i = 0; i < c.moreRows.size(); ++i)
        EXPECT_EQ(rows.rows[i + 1].newName, c.moreRows[i].second);
    const bool beforeRows =
        c.message == SystemText::BadPattern || c.message == SystemText::RegionInGroup;
    EXPECT_EQ(outcome.kind, beforeRows ? PassOutcome::Kind::refused : PassOutcome::Kind::tested);
    EXPECT_EQ(outcome.libraryFailures, c.message == SystemText::PatternRefused ? 1 : 0);
    EXPECT_EQ(outcome.rowsWithoutName, !beforeRows && c.newName.empty() ? 1 : 0);
    // The row's kind reaches the front end: a refused name was told already.
    if (!beforeRows) {
        const RowName::Kind kind = c.message == SystemText::ForbiddenCharacter
                                       ? RowName::Kind::refused
                                   : c.message ? RowName::Kind::libraryFailed
                                               : RowName::Kind::named;
        EXPECT_EQ(outcome.rowKinds, std::vector<RowName::Kind>(1 + c.moreRows.size(), kind));
    }
    if (c.message) {
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, fixedText(*c.message));
    } else {
        EXPECT_TRUE(messages.shown.empty());
    }
    EXPECT_EQ(RegexHandle::handleCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Names, NameCaseTest, ::testing::ValuesIn(nameCases()));

// The window's pass holds the library from the first row to the last and unloads it after; a
// library that went missing before the pass fails every row's first match with its message,
// and each row keeps its name.
TEST_F(RenamePassTest, APassHoldsTheLibraryForItsRowsAndReportsOneThatWentMissing) {
    addFile("a-b.txt");
    addFile("c-d.txt");
    test("{\\a}-{\\a}", "\\2-\\1");
    EXPECT_EQ(newNames(), (std::vector<std::string>{"b-a.txt", "d-c.txt"}));
    EXPECT_EQ(RegexHandle::handleCount(), 0);
    EXPECT_FALSE(RegexHandle::libraryLoaded());

    RegexHandle::setLibraryName("/no/such/lib.so");
    pass.namesMayBeStale();
    window.search = "-";
    const PassOutcome outcome = pass.runAction();
    EXPECT_EQ(newNames(), (std::vector<std::string>{"a-b.txt", "c-d.txt"}));
    EXPECT_EQ(outcome.kind, PassOutcome::Kind::tested);
    EXPECT_EQ(outcome.libraryFailures, 2);
    ASSERT_EQ(messages.shown.size(), 2u);
    for (const ShownMessage& m : messages.shown)
        EXPECT_EQ(m.text, fixedText(SystemText::LibraryUnusable));
    EXPECT_EQ(RegexHandle::handleCount(), 0);
    EXPECT_FALSE(RegexHandle::libraryLoaded());
}

TEST_F(RenamePassTest, RowsThatFailAloneStillArmTheButton) {
    addFile("a-b");
    addFile("c-d");
    test("-", "?");
    EXPECT_EQ(newNames(), (std::vector<std::string>{"", ""}));
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(window.button, "Rename!");
    EXPECT_EQ(window.searchList.entries, (std::vector<std::string>{"-"}));
}

// A file put in the place of a listed one, under its very name, is not renamed: the row fails
// with its message and stays, and the other rows go on.
TEST_F(RenamePassTest, ARowIsRenamedOnlyWhileItsPathNamesTheListedFile) {
    addFile("1.txt");
    addFile("2.txt");
    rows.rows[0].listed = "contents of 1.txt";
    rows.rows[1].listed = "contents of 2.txt";
    test("{\\d}", "\\1\\1");
    renamer.files[folder + "1.txt"] = "another program's file";
    messages.shown.clear();

    const PassOutcome outcome = pass.runAction();
    EXPECT_EQ(outcome.failedRenames, 1);
    EXPECT_EQ(listedNames(), (std::vector<std::string>{"1.txt"}));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "[D:\\photos\\1.txt] -> [D:\\photos\\11.txt]\n Rename Failed!!");
    EXPECT_EQ(renamer.files,
              (std::map<std::string, std::string>{{folder + "1.txt", "another program's file"},
                                                  {folder + "22.txt", "contents of 2.txt"}}));
}

TEST_F(RenamePassTest, TheRenamePassWalksEveryRowOnceFromTheTop) {
    addFile("abab");  // new name empty: skipped
    addFile("1.txt"); // onto 2.txt, which exists: fails and stays
    addFile("2.txt"); // onto 3.txt: renamed
    addFile("7.txt"); // no match: renamed onto itself
    test("{\\d}", "\\1\\1");
    ASSERT_EQ(newNames(), (std::vector<std::string>{"abab", "11.txt", "22.txt", "77.txt"}));
    // The rename pass takes the NewName column as it stands.
    rows.rows[0].newName = "";
    rows.rows[1].newName = "2.txt";
    rows.rows[2].newName = "3.txt";
    rows.rows[3].newName = "7.txt";
    messages.shown.clear();

    const PassOutcome outcome = pass.runAction();
    EXPECT_EQ(outcome.kind, PassOutcome::Kind::renamed);
    EXPECT_EQ(outcome.failedRenames, 1);
    EXPECT_EQ(outcome.rowsWithoutName, 1);
    EXPECT_EQ(renamer.calls, (std::vector<std::pair<std::string, std::string>>{
                                 {folder + "1.txt", folder + "2.txt"},
                                 {folder + "2.txt", folder + "3.txt"},
                                 {folder + "7.txt", folder + "7.txt"}}));
    EXPECT_EQ(listedNames(), (std::vector<std::string>{"abab", "1.txt"}));
    // The rows that stay keep their new names.
    EXPECT_EQ(newNames(), (std::vector<std::string>{"", "2.txt"}));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "[D:\\photos\\1.txt] -> [D:\\photos\\2.txt]\n Rename Failed!!");
    EXPECT_EQ(messages.shown[0].caption, "ERROR!");
    EXPECT_EQ(messages.shown[0].type, 0x30u);
    // The pass does not go back to the first row once 2.txt is free.
    EXPECT_EQ(renamer.files,
              (std::map<std::string, std::string>{{folder + "1.txt", "contents of 1.txt"},
                                                  {folder + "3.txt", "contents of 2.txt"},
                                                  {folder + "7.txt", "contents of 7.txt"},
                                                  {folder + "abab", "contents of abab"}}));
    EXPECT_EQ(window.button, "Test");
    EXPECT_EQ(pass.renameArmed(), 0);
    EXPECT_EQ(window.cursor, (std::vector<std::string>{"wait", "arrow", "wait", "wait", "arrow"}))
        << "the wait cursor while renaming, set again after the message";
    EXPECT_EQ(rows.countsShown, (std::vector<int>{4, 2})) << "before the message and at the end";
}

TEST_F(RenamePassTest, SwappedNamesBothFailAndStay) {
    addFile("1-2");
    addFile("2-1");
    test("{\\d}-{\\d}", "\\2-\\1");
    ASSERT_EQ(newNames(), (std::vector<std::string>{"2-1", "1-2"}));
    pass.runAction();
    EXPECT_EQ(listedNames(), (std::vector<std::string>{"1-2", "2-1"}));
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(renamer.files[folder + "1-2"], "contents of 1-2");
    EXPECT_EQ(renamer.files[folder + "2-1"], "contents of 2-1");
}

TEST_F(RenamePassTest, DeletingTheLastRowResetsTheModeInsideThePass) {
    addFile("a-1");
    addFile("a-2");
    addFile("a-3");
    test("-", "_");
    pass.runAction();
    EXPECT_TRUE(rows.rows.empty());
    EXPECT_EQ(rows.armedAfterDeletion, (std::vector<int>{1, 1, 0}));
    EXPECT_EQ(window.button, "Test");
}

// The transitions of the action button's two modes.
TEST_F(RenamePassTest, EverythingThatMakesNamesStaleResetsTheMode) {
    addFile("a-1");
    addFile("a-2");
    test("-", "_");
    ASSERT_EQ(pass.renameArmed(), 1);
    rows.deleteRow(0); // rows deleted while others remain
    EXPECT_EQ(pass.renameArmed(), 1);
    EXPECT_EQ(rows.rows[0].newName, "a_2");
    pass.namesMayBeStale(); // an edit, a choice, a row added
    EXPECT_EQ(pass.renameArmed(), 0);
    EXPECT_EQ(window.button, "Test");
    pass.namesMayBeStale(); // in the Test mode too
    EXPECT_EQ(pass.renameArmed(), 0);

    test("-", "_");
    ASSERT_EQ(window.button, "Rename!");
    rows.deleteRow(0); // the last row
    EXPECT_EQ(pass.renameArmed(), 0);
    EXPECT_EQ(window.button, "Test");
}

TEST_F(RenamePassTest, AnArmedButtonWithNoRowsOnlyResetsTheMode) {
    addFile("a-1");
    test("-", "_");
    rows.rows.clear(); // gone without the list's notification
    pass.runAction();
    EXPECT_EQ(pass.renameArmed(), 0);
    EXPECT_EQ(window.button, "Test");
    EXPECT_TRUE(renamer.calls.empty());
}

TEST_F(RenamePassTest, TheHistoryTakesTheTextsAsTyped) {
    addFile("2001_0903.jpg");
    test("{\\d\\d\\d\\d}_{\\d\\d\\d\\d}", "\\2-\\1");
    EXPECT_EQ(newNames(), (std::vector<std::string>{"0903-2001.jpg"}));
    EXPECT_EQ(window.searchList.entries,
              (std::vector<std::string>{"{\\d\\d\\d\\d}_{\\d\\d\\d\\d}"}));
    EXPECT_EQ(window.replaceList.entries, (std::vector<std::string>{"\\2-\\1"}));
}

} // namespace
