#include "path_row.h"

#include "table_code_page.h"

#include <gtest/gtest.h>

namespace {

const TableCodePage shiftJis(932);

struct SplitCase {
    const char* path;
    const char* folder;
    const char* name;
};

// 表 is 95 5C and ソ is 83 5C in Shift-JIS: their second bytes are backslash bytes.
const SplitCase splitCases[] = {
    {"C:\\x\\a.txt", "C:\\x\\", "a.txt"},
    {"readme.txt", "", "readme.txt"},
    {"C:\\dir\\", "C:\\dir\\", ""},
    {"", "", ""},
    {"C:/x/a.txt", "", "C:/x/a.txt"},
    {"\\\\server\\share\\b.txt", "\\\\server\\share\\", "b.txt"},
    {"C:\\\x95\x5C\\\x95\x5C"
     "1.txt",
     "C:\\\x95\x5C\\",
     "\x95\x5C"
     "1.txt"},
    {"\x83\x5C\x83\x5C", "", "\x83\x5C\x83\x5C"},
    {"C:\\\x83\x5C", "C:\\", "\x83\x5C"},
};

TEST(PathRow, SplitsAtTheLastRealBackslash) {
    for (const SplitCase& c : splitCases) {
        PathParts parts = splitPath(c.path, shiftJis);
        EXPECT_EQ(parts.folder, c.folder) << c.path;
        EXPECT_EQ(parts.name, c.name) << c.path;
    }
}

TEST(PathRow, SingleByteCodePageTakesEveryBackslashByte) {
    PathParts parts = splitPath("C:\\\x95\x5C"
                                "1.txt",
                                TableCodePage(1252));
    EXPECT_EQ(parts.folder, "C:\\\x95\x5C");
    EXPECT_EQ(parts.name, "1.txt");
}

} // namespace
