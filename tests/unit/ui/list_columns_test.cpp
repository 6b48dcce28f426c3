#include "list_columns.h"

#include <gtest/gtest.h>

namespace {

struct WidthCase {
    int client;
    int filePath;
    int currentName;
    int newName;
};

const WidthCase widthCases[] = {
    {375, 187, 93, 93}, // each division drops its remainder
    {400, 200, 100, 100},
    {3, 1, 0, 0},
    {0, 0, 0, 0},
};

TEST(ListColumns, HalfForTheFolderAQuarterForEachName) {
    for (const WidthCase& c : widthCases) {
        ColumnWidths w = listColumnWidths(c.client);
        EXPECT_EQ(w.filePath, c.filePath) << c.client;
        EXPECT_EQ(w.currentName, c.currentName) << c.client;
        EXPECT_EQ(w.newName, c.newName) << c.client;
    }
}

} // namespace
