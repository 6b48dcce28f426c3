#include "command_line.h"

#include "path_split.h"
#include "table_code_page.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using Rows = std::vector<std::pair<std::string, std::string>>;

const TableCodePage shiftJis(932);

// The rows that seeding from the command line appends: each argument split as a FileRow.
Rows seededRows(std::string_view line) {
    Rows rows;
    for (const std::string& argument : commandLineArguments(line, shiftJis)) {
        PathParts parts = splitPath(argument, windowSeparators, shiftJis);
        rows.emplace_back(parts.folder, parts.name);
    }
    return rows;
}

struct SeedCase {
    const char* line;
    Rows rows;
};

const SeedCase wellFormedLines[] = {
    {R"("C:\Apps\tool.exe")", {}},
    {R"("C:\Apps\tool.exe" )", {}},
    {R"(C:\Apps\tool.exe)", {}},
    {R"(C:\Apps\tool.exe C:\x\a.txt)", {{R"(C:\x\)", "a.txt"}}},
    {R"("C:\Apps\tool.exe" "C:\My Files\a b.txt")", {{R"(C:\My Files\)", "a b.txt"}}},
    {R"("C:\Apps\tool.exe" C:\x\a.txt D:\b.txt)", {{R"(C:\x\)", "a.txt"}, {R"(D:\)", "b.txt"}}},
    {R"("C:\Apps\tool.exe" "C:\a.txt""C:\b.txt")", {{R"(C:\)", "a.txt"}, {R"(C:\)", "b.txt"}}},
    {R"("C:\Apps\tool.exe" readme.txt)", {{"", "readme.txt"}}},
    {R"("C:\Apps\tool.exe" "C:\dir\")", {{R"(C:\dir\)", ""}}},
    {R"("C:\Apps\tool.exe" C:\x\a.txt )", {{R"(C:\x\)", "a.txt"}}},
    {R"("C:\Apps\tool.exe"C:\x\a.txt)", {{R"(C:\x\)", "a.txt"}}},
    {R"("C:\Apps\tool.exe" "C:\a b"c.txt)", {{R"(C:\)", "a b"}, {"", "c.txt"}}},
    {"", {}},
};

TEST(CommandLineSeeding, EachArgumentBecomesOneRow) {
    for (const SeedCase& c : wellFormedLines)
        EXPECT_EQ(seededRows(c.line), c.rows) << c.line;
}

// 表 is 95 5C in Shift-JIS; its second byte must not split the name.
TEST(CommandLineSeeding, ShiftJisSecondBytesAreNoSeparators) {
    const std::string folder = "C:\\\x95\x5C\\";
    const std::string name = "\x95\x5C"
                             "1.txt";
    EXPECT_EQ(seededRows("kibrel.exe " + folder + name), (Rows{{folder, name}}));
    EXPECT_EQ(seededRows("\"C:\\\x95\x5C\\kibrel.exe\" \"" + folder + name + "\" " + name),
              (Rows{{folder, name}, {"", name}}));
}

const SeedCase spacedLines[] = {
    {R"("C:\Apps\tool.exe"   C:\x\a.txt)", {{R"(C:\x\)", "a.txt"}}},
    {R"(C:\Apps\tool.exe  a.txt    b.txt   )", {{"", "a.txt"}, {"", "b.txt"}}},
    {R"("C:\Apps\tool.exe"     )", {}},
    {R"("C:\Apps\tool.exe" "a.txt"  "b.txt")", {{"", "a.txt"}, {"", "b.txt"}}},
};

TEST(CommandLineSeeding, RunsOfSpacesGiveNoEmptyRows) {
    for (const SeedCase& c : spacedLines)
        EXPECT_EQ(seededRows(c.line), c.rows) << c.line;
}

const SeedCase unpairedLines[] = {
    {R"("C:\Apps\tool.exe C:\x\a.txt)", {}},
    {R"("C:\Apps\tool.exe" "C:\My Files\a b.txt)", {{R"(C:\My Files\)", "a b.txt"}}},
    {R"("C:\Apps\tool.exe" a.txt "C:\x\b c.txt)", {{"", "a.txt"}, {R"(C:\x\)", "b c.txt"}}},
    {R"("C:\Apps\tool.exe" a.txt ")", {{"", "a.txt"}}},
    {R"("C:\Apps\tool.exe" "" a.txt)", {{"", "a.txt"}}},
    {R"(")", {}},
};

TEST(CommandLineSeeding, UnpairedQuoteTakesTheRestOfTheLine) {
    for (const SeedCase& c : unpairedLines)
        EXPECT_EQ(seededRows(c.line), c.rows) << c.line;
}

} // namespace
