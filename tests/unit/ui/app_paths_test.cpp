#include "app_paths.h"

#include "table_code_page.h"

#include <gtest/gtest.h>

namespace {

const TableCodePage shiftJis(932);

struct PathCase {
    const char* executable;
    const char* helpFile;
    const char* englishHelpFile;
    const char* appName;
};

// ソ is 83 5C in Shift-JIS: its second byte is a backslash byte.
const PathCase pathCases[] = {
    {R"(D:\Tools\rename.exe)", R"(D:\Tools\rename.chm)", R"(D:\Tools\rename-en.chm)", "rename"},
    {R"(D:\old.tools\TOOL.EXE)", R"(D:\old.tools\TOOL.chm)", R"(D:\old.tools\TOOL-en.chm)", "TOOL"},
    {R"(C:\a\kibrel.tar.exe)", R"(C:\a\kibrel.tar.chm)", R"(C:\a\kibrel.tar-en.chm)", "kibrel.tar"},
    {R"(D:\old.tools\TOOL)", R"(D:\old.tools\TOOL.chm)", R"(D:\old.tools\TOOL-en.chm)", "TOOL"},
    {"C:\\\x83\x5C\\\x83\x5C.exe", "C:\\\x83\x5C\\\x83\x5C.chm", "C:\\\x83\x5C\\\x83\x5C-en.chm",
     "\x83\x5C"},
    {"kibrel.exe", "kibrel.chm", "kibrel-en.chm", "kibrel"},
    {"", ".chm", "-en.chm", ""},
};

TEST(AppPaths, HelpFileAndNameFollowTheExecutable) {
    for (const PathCase& c : pathCases) {
        EXPECT_EQ(helpFilePathFor(c.executable, shiftJis, TextLanguage::japanese), c.helpFile)
            << c.executable;
        EXPECT_EQ(helpFilePathFor(c.executable, shiftJis, TextLanguage::english), c.englishHelpFile)
            << c.executable;
        EXPECT_EQ(appNameFor(c.executable, shiftJis), c.appName) << c.executable;
    }
}

} // namespace
