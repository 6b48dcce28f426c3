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

// 表 is 95 5C and ソ is 83 5C in Shift-JIS: their second bytes are backslash bytes.
const SplitCase splitCases[] = {
    {"at the last slash", "/", 65001, "/tmp/photos/a-b-c.txt", "/tmp/photos/", "a-b-c.txt"},
    {"no folder", "/", 65001, "a.txt", "", "a.txt"},
    {"a trailing slash leaves an empty name", "/", 65001, "photos/", "photos/", ""},
    {"the root", "/", 65001, "/a", "/", "a"},
    {"a backslash is no separator natively", "/", 65001, "a\\b", "", "a\\b"},
    {"Windows: the last of backslash and slash", "\\/", 932, "C:\\x/y\\z.txt", "C:\\x/y\\",
     "z.txt"},
    {"Windows: a slash behind a backslash", "\\/", 932, "C:\\x\\y/z.txt", "C:\\x\\y/", "z.txt"},
    {"a second byte 0x5C is no backslash", "\\/", 932, "C:\\d\\\x95\x5C", "C:\\d\\", "\x95\x5C"},
    {"a second byte 0x5C right behind the folder", "\\/", 932,
     "\x95\x5C\\\x95\x5C"
     "1.txt",
     "\x95\x5C\\",
     "\x95\x5C"
     "1.txt"},
    {"under 1252 the byte 0x5C after 0x95 is a backslash", "\\/", 1252, "d\x95\\x", "d\x95\\", "x"},
    {"under 1252 slashes and backslashes in turn", "\\/", 1252, "a/b\\c/d\\e", "a/b\\c/d\\", "e"},
    {"UTF-8 names split at the slash", "/", 65001,
     "\xE8\xA1\xA8/\xE8\xA1\xA8"
     "1.txt",
     "\xE8\xA1\xA8/",
     "\xE8\xA1\xA8"
     "1.txt"},
    // A lead byte takes only a trail byte: the slash behind 95 is a separator of its own.
    {"a slash behind a lone lead byte", "\\/", 932, "d\\\x95/b", "d\\\x95/", "b"},
    {"the window: at the last backslash", "\\", 932, "C:\\x\\a.txt", "C:\\x\\", "a.txt"},
    {"the window: no folder", "\\", 932, "readme.txt", "", "readme.txt"},
    {"the window: a folder alone", "\\", 932, "C:\\dir\\", "C:\\dir\\", ""},
    {"the window: an empty path", "\\", 932, "", "", ""},
    {"the window: a slash is no separator", "\\", 932, "C:/x/a.txt", "", "C:/x/a.txt"},
    {"the window: a share", "\\", 932, "\\\\server\\share\\b.txt", "\\\\server\\share\\", "b.txt"},
    {"the window: 表 in the folder and the name", "\\", 932,
     "C:\\\x95\x5C\\\x95\x5C"
     "1.txt",
     "C:\\\x95\x5C\\",
     "\x95\x5C"
     "1.txt"},
    {"the window: ソソ", "\\", 932, "\x83\x5C\x83\x5C", "", "\x83\x5C\x83\x5C"},
    {"the window: ソ behind the folder", "\\", 932, "C:\\\x83\x5C", "C:\\", "\x83\x5C"},
    {"the window under 1252 takes every backslash byte", "\\", 1252,
     "C:\\\x95\x5C"
     "1.txt",
     "C:\\\x95\x5C", "1.txt"},
};

class PathSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(PathSplit, GivesFolderAndName) {
    const SplitCase& c = GetParam();
    TableCodePage cp(c.codePage);
    PathParts parts = splitPath(c.path, c.separators, cp);
    EXPECT_EQ(parts.folder, c.folder) << c.comment;
    EXPECT_EQ(parts.name, c.name) << c.comment;
}

INSTANTIATE_TEST_SUITE_P(Cases, PathSplit, ::testing::ValuesIn(splitCases));

} // namespace
