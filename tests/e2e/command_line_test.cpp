#include "kibrel_fixture.h"
#include "list_view.h"
#include "resource.h"
#include "wait.h"
#include "window_query.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace e2e {
namespace {

using Rows = std::vector<std::vector<std::string>>;

// A FileRow as the list shows it: FilePath, CurrentName and an empty NewName.
std::vector<std::string> row(std::string folder, std::string name) {
    return {std::move(folder), std::move(name), ""};
}

struct CommandLineCase {
    const char* name;
    const char* commandLine; // exactly as the program reads it
    Rows rows;
};

void PrintTo(const CommandLineCase& c, std::ostream* out) {
    *out << c.commandLine;
}

class Seeding : public KibrelFixture {
  protected:
    // The rows of the file list once the window is up with `commandLine`.
    Rows seededRows(const std::string& commandLine) {
        const HWND window = startMainWindow(commandLine);
        if (window == nullptr)
            return {{"<no main window>"}};
        const HWND action = childById(window, IDC_ACTION);
        EXPECT_EQ(windowText(action), "Test") << "seeding leaves the action button at Test";
        const RemoteListView list(childById(window, IDC_FILES));
        // A row is inserted with its text only: no state, so none is selected.
        for (int item = 0; item < list.itemCount(); ++item)
            EXPECT_EQ(list.itemState(item, LVIS_SELECTED), 0u) << "row " << item;
        return list.rows();
    }
};

class CommandLineSeeding : public Seeding, public testing::WithParamInterface<CommandLineCase> {};

TEST_P(CommandLineSeeding, GivesOneRowPerPath) {
    EXPECT_EQ(seededRows(GetParam().commandLine), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommandLineSeeding,
    testing::Values(CommandLineCase{"QuotedProgramAlone", R"("C:\Apps\tool.exe")", {}},
                    CommandLineCase{"QuotedProgramAndOneSpace", R"("C:\Apps\tool.exe" )", {}},
                    CommandLineCase{"UnquotedProgramAlone", R"(C:\Apps\tool.exe)", {}},
                    CommandLineCase{"UnquotedProgramAndOnePath",
                                    R"(C:\Apps\tool.exe C:\x\a.txt)",
                                    {row(R"(C:\x\)", "a.txt")}},
                    CommandLineCase{"QuotedPathWithSpaces",
                                    R"("C:\Apps\tool.exe" "C:\My Files\a b.txt")",
                                    {row(R"(C:\My Files\)", "a b.txt")}},
                    CommandLineCase{"TwoUnquotedPaths",
                                    R"("C:\Apps\tool.exe" C:\x\a.txt D:\b.txt)",
                                    {row(R"(C:\x\)", "a.txt"), row(R"(D:\)", "b.txt")}},
                    CommandLineCase{"QuotedPathsWithoutASpaceBetween",
                                    R"("C:\Apps\tool.exe" "C:\a.txt""C:\b.txt")",
                                    {row(R"(C:\)", "a.txt"), row(R"(C:\)", "b.txt")}},
                    CommandLineCase{"NameWithoutFolder",
                                    R"("C:\Apps\tool.exe" readme.txt)",
                                    {row("", "readme.txt")}},
                    CommandLineCase{"FolderWithoutName",
                                    R"("C:\Apps\tool.exe" "C:\dir\")",
                                    {row(R"(C:\dir\)", "")}},
                    CommandLineCase{"ForwardSlashIsNoSeparator",
                                    R"("C:\Apps\tool.exe" C:\x\sub/a.txt)",
                                    {row(R"(C:\x\)", "sub/a.txt")}},
                    // Runs of spaces read no empty arguments, so they make no empty rows.
                    CommandLineCase{"RunsOfSpacesMakeNoEmptyRows",
                                    R"("C:\Apps\tool.exe"  C:\x\a.txt   D:\b.txt  )",
                                    {row(R"(C:\x\)", "a.txt"), row(R"(D:\)", "b.txt")}},
                    CommandLineCase{"RunOfSpacesAfterUnquotedProgram",
                                    R"(C:\Apps\tool.exe   C:\x\a.txt)",
                                    {row(R"(C:\x\)", "a.txt")}},
                    // A quote without a partner takes the rest of the line as one argument.
                    CommandLineCase{"UnpairedQuoteTakesTheRestOfTheLine",
                                    R"("C:\Apps\tool.exe" C:\x\a.txt "C:\My Files\b c.txt)",
                                    {row(R"(C:\x\)", "a.txt"), row(R"(C:\My Files\)", "b c.txt")}},
                    CommandLineCase{"UnpairedQuoteAroundTheProgramLeavesNoArguments",
                                    R"("C:\Apps\tool.exe C:\x\a.txt)",
                                    {}}),
    [](const testing::TestParamInfo<CommandLineCase>& info) { return info.param.name; });

// "表" is 95 5C in code page 932: its trail byte is a backslash, and the path is split only
// at the real ones. Real files, so that the bytes are those a user's file names give.
TEST_F(Seeding, DoubleByteNamesSplitOnlyAtRealBackslashes) {
    const std::string table = "\x95\x5c";
    ASSERT_TRUE(folder_.makeFolder(table));
    ASSERT_TRUE(folder_.writeFile(table + "\\" + table + "1.txt"));
    // A name that is one such character ends in the byte 0x5C.
    ASSERT_TRUE(folder_.writeFile(table + "\\" + table));
    const std::string inFolder = folder_.pathOf(table + "\\");
    const std::string commandLine =
        quotedProgram(kibrelPath()) + " " + inFolder + table + "1.txt \"" + inFolder + table + "\"";
    EXPECT_EQ(seededRows(commandLine),
              (Rows{row(inFolder, table + "1.txt"), row(inFolder, table)}));
}

} // namespace
} // namespace e2e
