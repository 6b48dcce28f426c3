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
    rows.append("d/", "a.txt");
    EXPECT_EQ(rows.newPath(0), "");
    rows.setNewName(0, "b.txt");
    EXPECT_EQ(rows.column(0, RowColumn::FilePath), "d/");
    EXPECT_EQ(rows.column(0, RowColumn::CurrentName), "a.txt");
    EXPECT_EQ(rows.column(0, RowColumn::NewName), "b.txt");
    EXPECT_EQ(rows.path(0), "d/a.txt");
    EXPECT_EQ(rows.newPath(0), "d/b.txt");
    rows.setNewName(0, "");
    EXPECT_EQ(rows.newName(0), "");
    EXPECT_EQ(rows.newPath(0), "");
}

// A row of a lasting text is a view of it where it lies, kept texts short and long alike: none
// is copied, and none moves as more are kept.
TEST(CliRows, RowsOfLastingTextsAreViewsOfThem) {
    CliRows rows;
    const std::string argument = "d/a.txt";
    rows.appendLasting(argument, 2);
    const std::string_view shortText = rows.keep("e/b");
    const std::string_view longText = rows.keep("f/" + std::string(1000, 'c'));
    for (int i = 0; i < 100; ++i)
        rows.keep(std::to_string(i));
    rows.appendLasting(shortText, 2);
    rows.appendLasting(longText, 2);
    rows.setNewName(1, "x");
    EXPECT_EQ(rows.path(0).data(), argument.data());
    EXPECT_EQ(rows.name(0), "a.txt");
    EXPECT_EQ(rows.path(1).data(), shortText.data());
    EXPECT_EQ(rows.path(1), "e/b");
    EXPECT_EQ(rows.newPath(1), "e/x");
    EXPECT_EQ(rows.path(2).data(), longText.data());
    EXPECT_EQ(rows.folder(2), "f/");
    EXPECT_EQ(rows.name(2), std::string(1000, 'c'));
}

// A text longer than a block of the store, and many texts behind it: every row still reads
// what it was given.
TEST(CliRows, TextsStayWhereTheyWereWhileTheStoreGrows) {
    CliRows rows;
    const std::string longName(3 << 20, 'x');
    rows.append("far/", longName);
    for (int i = 0; i < 100000; ++i)
        rows.append("d/", "name-" + std::to_string(i));
    rows.setNewName(0, longName + "y");
    EXPECT_EQ(rows.path(0), "far/" + longName);
    EXPECT_EQ(rows.newPath(0), "far/" + longName + "y");
    EXPECT_EQ(rows.path(1), "d/name-0");
    EXPECT_EQ(rows.path(100000), "d/name-99999");
}

TEST(CliRows, ADeletedRowLetsTheRowsBelowMoveUp) {
    CliRows rows;
    for (const char* n : {"0", "1", "2", "3", "4"})
        rows.append("", n);
    rows.deleteRow(1);
    rows.deleteRow(1);
    EXPECT_EQ(names(rows), (std::vector<std::string>{"0", "3", "4"}));
    rows.deleteRow(0);
    rows.append("", "5");
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

struct Row {
    std::string name;
    std::string newName;
};

bool sameRows(const CliRows& rows, const std::vector<Row>& reference) {
    if (rows.count() != static_cast<int>(reference.size()))
        return false;
    for (int i = 0; i < rows.count(); ++i) {
        const Row& want = reference[static_cast<std::size_t>(i)];
        if (rows.column(i, RowColumn::CurrentName) != want.name ||
            rows.column(i, RowColumn::NewName) != want.newName || rows.path(i) != "f/" + want.name)
            return false;
    }
    return true;
}

// Deletions, appends and new names anywhere, in any order, against a plain vector after every
// step.
TEST(CliRows, BehavesLikeAVectorUnderRandomEdits) {
    std::mt19937 random(20261207);
    CliRows rows;
    std::vector<Row> reference;
    for (int step = 0; step < 5000; ++step) {
        int what = static_cast<int>(random() % 3);
        int size = static_cast<int>(reference.size());
        if (what == 0 || size == 0) {
            rows.append("f/", label('n', step));
            reference.push_back({label('n', step), {}});
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
