#include "path_split.h"
#include "table_code_page.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase {
    const char* comment;
    std::string_view separators;
    unsigned codePage;
    std::string path;
    std::string folder;
    std::string name;
};

const SplitCase splitCases[] = {
    {"at the last slash", "/", 65001, "/tmp/photos/a-b-c.txt", "/tmp/photos/", "a-b-c.txt"},
    {"no folder", "/", 65001, "a.txt", "", "a.txt"},
    {"a trailing slash leaves an empty name", "/", 65001, "photos/", "photos/", ""},
    {"the root", "/", 65001, "/a", "/", "a"},
    {"a backslash is no separator natively", "/", 65001, "a\\b", "", "a\\b"},
    {"Windows: the last of backslash and slash", "\\/", 932, "C:\\x/y\\z.txt", "C:\\x/y\\",
     "z.txt"},
    {"Windows: a slash behind a backslash", "\\/", 932, "C:\\x\\y/z.txt", "C:\\x\\y/", "z.txt"},
    // \x95\x5C is one character under 932 (a name ending in it), not a separator.
    {"a second byte 0x5C is no backslash", "\\/", 932, "C:\\d\\\x95\x5C", "C:\\d\\", "\x95\x5C"},
    {"a second byte 0x5C right behind the folder", "\\/", 932,
     "\x95\x5C\\\x95\x5C"
     "1.txt",
     "\x95\x5C\\",
     "\x95\x5C"
     "1.txt"},
    {"under 1252 the byte 0x5C after 0x95 is a backslash", "\\/", 1252, "d\x95\\x", "d\x95\\", "x"},
    {"UTF-8 names split at the slash", "/", 65001,
     "\xE8\xA1\xA8/\xE8\xA1\xA8"
     "1.txt",
     "\xE8\xA1\xA8/",
     "\xE8\xA1\xA8"
     "1.txt"},
};

class PathSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(PathSplit, GivesFolderAndName) {
    const SplitCase& c = GetParam();
    TableCodePage cp(c.codePage);
    PathRow row = splitPathRow(c.path, c.separators, cp);
    EXPECT_EQ(row.folder, c.folder) << c.comment;
    EXPECT_EQ(row.name, c.name) << c.comment;
}

INSTANTIATE_TEST_SUITE_P(Cases, PathSplit, ::testing::ValuesIn(splitCases));

} // namespace
