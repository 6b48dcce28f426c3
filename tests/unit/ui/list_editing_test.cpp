#include "chosen_files.h"
#include "row_selection.h"
#include "table_code_page.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;
using Paths = std::vector<std::string>;

const TableCodePage shiftJis(932);

// A list of `count` rows of which `selected` are selected, answering as LVM_GETNEXTITEM does.
NextSelected selection(int count, std::set<int> selected) {
    return [count, selected](int after) {
        for (int row = after + 1; row < count; ++row) {
            if (selected.count(row) != 0)
                return row;
        }
        return -1;
    };
}

TEST(Unlist, CollectsAscendingAndDeletesFromTheHighestRow) {
    std::vector<std::string> rows{"row 0", "row 1", "row 2", "row 3", "row 4"};
    const std::vector<unsigned> selected = selectedRows(selection(5, {1, 3, 4}));
    EXPECT_EQ(selected, (std::vector<unsigned>{1, 3, 4}));
    std::vector<int> deleted;
    deleteRows(selected, [&](int row) {
        deleted.push_back(row);
        rows.erase(rows.begin() + row);
    });
    EXPECT_EQ(deleted, (std::vector<int>{4, 3, 1}));
    EXPECT_EQ(rows, (std::vector<std::string>{"row 0", "row 2"}));
}

TEST(Unlist, NothingSelectedDeletesNothing) {
    EXPECT_TRUE(selectedRows(selection(3, {})).empty());
    EXPECT_TRUE(selectedRows(selection(0, {})).empty());
}

TEST(Unlist, AListThatAnswersBackwardsEndsTheWalk) {
    EXPECT_EQ(selectedRows([](int after) { return after == -1 ? 2 : 0; }),
              (std::vector<unsigned>{2}));
    EXPECT_EQ(selectedRows([](int after) { return after == -1 ? 1 : 1; }),
              (std::vector<unsigned>{1}));
}

struct ChosenCase {
    const char* name;
    std::string answer; // the dialog's buffer, zero bytes included
    Paths paths;
};

void PrintTo(const ChosenCase& c, std::ostream* out) {
    *out << c.name;
}

class ChosenFiles : public testing::TestWithParam<ChosenCase> {};

TEST_P(ChosenFiles, GivesFullPathsInTheDialogsOrder) {
    EXPECT_EQ(chosenFiles(GetParam().answer, shiftJis), GetParam().paths);
}

// 表 is 95 5C: a folder that ends in it does not end in a backslash.
INSTANTIATE_TEST_SUITE_P(
    Answers, ChosenFiles,
    testing::Values(
        ChosenCase{"OneFile", "C:\\x\\a.txt\0\0"s, {"C:\\x\\a.txt"}},
        ChosenCase{"SeveralFiles", "C:\\x\0b.txt\0a.txt\0\0"s, {"C:\\x\\b.txt", "C:\\x\\a.txt"}},
        ChosenCase{
            "FolderEndingInABackslash", "C:\\\0a.txt\0b.txt\0\0"s, {"C:\\a.txt", "C:\\b.txt"}},
        ChosenCase{"FolderEndingInADoubleByteCharacter",
                   "C:\\\x95\x5C\0a.txt\0b.txt\0\0"s,
                   {"C:\\\x95\x5C\\a.txt", "C:\\\x95\x5C\\b.txt"}},
        ChosenCase{"NothingChosen", "\0\0"s, {}},
        ChosenCase{"NoFinalZeroInTheBuffer", "C:\\x\0a.txt\0b.t"s, {"C:\\x\\a.txt"}}),
    [](const testing::TestParamInfo<ChosenCase>& info) { return std::string(info.param.name); });

} // namespace
