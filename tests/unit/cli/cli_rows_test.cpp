#include "cli_rows.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

std::vector<std::string> names(const CliRows& rows) {
    std::vector<std::string> out;
    for (int i = 0; i < rows.count(); ++i)
        out.push_back(rows.column(i, RowColumn::CurrentName));
    return out;
}

TEST(CliRows, ColumnsHoldFolderNameAndNewName) {
    CliRows rows;
    rows.append({"d/", "a.txt", {}});
    rows.setNewName(0, "b.txt");
    EXPECT_EQ(rows.column(0, RowColumn::FilePath), "d/");
    EXPECT_EQ(rows.column(0, RowColumn::CurrentName), "a.txt");
    EXPECT_EQ(rows.column(0, RowColumn::NewName), "b.txt");
}

TEST(CliRows, ADeletedRowLetsTheRowsBelowMoveUp) {
    CliRows rows;
    for (const char* n : {"0", "1", "2", "3", "4"})
        rows.append({"", n, {}});
    rows.deleteRow(1);
    rows.deleteRow(1);
    EXPECT_EQ(names(rows), (std::vector<std::string>{"0", "3", "4"}));
    rows.deleteRow(0);
    rows.append({"", "5", {}});
    EXPECT_EQ(names(rows), (std::vector<std::string>{"3", "4", "5"}));
    rows.deleteRow(2);
    rows.deleteRow(0);
    EXPECT_EQ(names(rows), (std::vector<std::string>{"4"}));
}

// A text of its own for every step: the prefix and the step's number.
std::string label(char prefix, int step) {
    std::string text(1, prefix);
    text += std::to_string(step);
    return text;
}

bool sameRows(const CliRows& rows, const std::vector<CliRow>& reference) {
    if (rows.count() != static_cast<int>(reference.size()))
        return false;
    for (int i = 0; i < rows.count(); ++i) {
        const CliRow& want = reference[static_cast<std::size_t>(i)];
        if (rows.column(i, RowColumn::CurrentName) != want.name ||
            rows.column(i, RowColumn::NewName) != want.newName)
            return false;
    }
    return true;
}

// Deletions, appends and new names anywhere, in any order, against a plain vector after every
// step.
TEST(CliRows, BehavesLikeAVectorUnderRandomEdits) {
    std::mt19937 random(20261207);
    CliRows rows;
    std::vector<CliRow> reference;
    for (int step = 0; step < 5000; ++step) {
        int what = static_cast<int>(random() % 3);
        int size = static_cast<int>(reference.size());
        if (what == 0 || size == 0) {
            CliRow row{"f/", label('n', step), {}};
            rows.append(row);
            reference.push_back(row);
        } else if (what == 1) {
            int at = static_cast<int>(random() % static_cast<unsigned>(size));
            rows.deleteRow(at);
            reference.erase(reference.begin() + at);
        } else {
            int at = static_cast<int>(random() % static_cast<unsigned>(size));
            rows.setNewName(at, label('m', step));
            reference[static_cast<std::size_t>(at)].newName = label('m', step);
        }
        ASSERT_TRUE(sameRows(rows, reference)) << "after step " << step;
    }
}

} // namespace
