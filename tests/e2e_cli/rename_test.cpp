#include "cli_process.h"
#include "foresight.h"
#include "name_cases.h"
#include "system_texts.h"
#include "table_code_page.h"
#include "test_folder.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

using Strings = std::vector<std::string>;
using Files = std::vector<std::pair<std::string, std::string>>;

struct RenameCase {
    const char* comment;
    Files files;         // name and contents, made in a new folder
    Strings rows;        // the names given as PATHs, each in that folder, in this order
    Strings options;     // the options before the PATHs
    Strings newNames;    // the NewName of every row on standard output
    FolderEntries after; // what the folder holds afterwards
    int status;
    // Standard error in UTF-8, "%F" standing for the folder.
    std::string err;
    // A real run's closing line: how many rows were renamed, failed and left as they were.
    const char* counts = nullptr;
};

std::string withFolder(std::string text, const std::string& folder) {
    for (std::size_t at = text.find("%F"); at != std::string::npos;
         at = text.find("%F", at + folder.size()))
        text.replace(at, 2, folder);
    return text;
}

// The record of a row on standard output: natively a line whose texts hold a tab, a line feed
// or a backslash begins with a backslash and has them escaped; on Windows it stands as it is.
std::string expectedRecord(const std::string& path, const std::string& newName) {
#ifndef _WIN32
    auto escaped = [](const std::string& text) {
        std::string out;
        for (char c : text)
            out += c == '\t' ? "\\t" : c == '\n' ? "\\n" : c == '\\' ? "\\\\" : std::string(1, c);
        return out;
    };
    if ((path + newName).find_first_of("\t\n\\") != std::string::npos)
        return "\\" + escaped(path) + "\t" + escaped(newName) + "\n";
#endif
    return path + "\t" + newName + "\n";
}

// The messages without the reasons that follow "Rename Failed!!" in parentheses: the
// platform's words, checked on their own.
std::string withoutReasons(std::string err) {
    const std::string mark = " Rename Failed!! (";
    for (std::size_t at = err.find(mark); at != std::string::npos; at = err.find(mark, at)) {
        const std::size_t close = err.find(")\n", at);
        if (close == std::string::npos)
            break;
        err.erase(at + mark.size() - 2, close + 1 - (at + mark.size() - 2));
        at += mark.size();
    }
    return err;
}

// Makes a file, or a folder where the contents read "<folder>"; "/" in a name stands for the
// platform's separator.
bool place(const TestFolder& folder, std::string name, const std::string& contents) {
    for (char& ch : name)
        if (ch == '/')
            ch = folder.path().back();
    return contents == "<folder>" ? folder.makeFolder(name) : folder.writeFile(name, contents);
}

const char* const failed = "\n Rename Failed!!\n";
// The message for a row whose whole name a replacement by nothing took.
const std::string emptyName = "%Fabab: 新しい名前が空なので、このファイルはそのままです\n";

const RenameCase renameCases[] = {
    {"the worked example of the regions",
     {{"photo_2001_0903.jpg", "P"}},
     {"photo_2001_0903.jpg"},
     {"-s", "{\\d\\d\\d\\d}_{\\d\\d\\d\\d}", "-r", "\\2-\\1"},
     {"photo_0903-2001.jpg"},
     {{"photo_0903-2001.jpg", "P"}},
     0,
     "",
     "1 0 0"},
    {"a region takes the fewest bytes that let the rest match",
     {{"aaa", "A"}},
     {"aaa"},
     {"-s", "{a+}a*", "-r", "[\\1]"},
     {"[a]"},
     {{"[a]", "A"}},
     0,
     "",
     "1 0 0"},
    {"every match is replaced, left to right",
     {{"a-b-c.txt", "A"}, {"plain.txt", "P"}},
     {"a-b-c.txt", "plain.txt"},
     {"-s", "-", "-r", "_"},
     {"a_b_c.txt", "plain.txt"},
     {{"a_b_c.txt", "A"}, {"plain.txt", "P"}},
     0,
     "",
     "1 0 1"},
    {"numbered from --start in PATH order; a PATH the pattern does not match takes no number",
     {{"a.jpg", "A"}, {"note.txt", "N"}, {"b.jpg", "B"}},
     {"a.jpg", "note.txt", "b.jpg"},
     {"--start=101", "-s", "{.*}\\.jpg", "-r", "img_\\###.jpg"},
     {"img_101.jpg", "note.txt", "img_102.jpg"},
     {{"img_101.jpg", "A"}, {"img_102.jpg", "B"}, {"note.txt", "N"}},
     0,
     "",
     "2 0 1"},
    {"a replacement by nothing is never searched again",
     {{"IMG0001.JPG", "I"}},
     {"IMG0001.JPG"},
     {"-s", "0"},
     {"IMG1.JPG"},
     {{"IMG1.JPG", "I"}},
     0,
     "",
     "1 0 0"},
    {"a pattern anchored at the start matches at the start of every remainder",
     {{"aaa.txt", "A"}},
     {"aaa.txt"},
     {"-s", "^a", "-r", "b"},
     {"bbb.txt"},
     {{"bbb.txt", "A"}},
     0,
     "",
     "1 0 0"},
    {"a chain in list order: the first fails, the second is renamed",
     {{"a.txt", "A"}, {"aa.txt", "AA"}},
     {"a.txt", "aa.txt"},
     {"-s", "a", "-r", "aa"},
     {"aa.txt", "aaaa.txt"},
     {{"a.txt", "A"}, {"aaaa.txt", "AA"}},
     1,
     "リストで %Fa.txt -> %Faa.txt が %Faa.txt -> %Faaaa.txt より前にあるので、%Faa.txt "
     "がまだあります"
     "（--order なら順番を変えて名前を変えます）\n" +
         std::string("[%Fa.txt] -> [%Faa.txt]") + failed,
     "1 1 0"},
    {"the same chain the other way round: both are renamed",
     {{"a.txt", "A"}, {"aa.txt", "AA"}},
     {"aa.txt", "a.txt"},
     {"-s", "a", "-r", "aa"},
     {"aaaa.txt", "aa.txt"},
     {{"aa.txt", "A"}, {"aaaa.txt", "AA"}},
     0,
     "",
     "2 0 0"},
    {"a swap: both fail and both stay",
     {{"ab", "X"}, {"ba", "Y"}},
     {"ab", "ba"},
     {"-s", "{\\a}{\\a}", "-r", "\\2\\1"},
     {"ba", "ab"},
     {{"ab", "X"}, {"ba", "Y"}},
     1,
     "%Fab と %Fba が互いの名前になるので、どちらも先に変えられません"
     "（--order なら一時的な名前を経由して入れ替えます）\n" +
         std::string("[%Fab] -> [%Fba]") + failed + "[%Fba] -> [%Fab]" + failed,
     "0 2 0"},
    {"a file that exists is never replaced",
     {{"a.txt", "A"}, {"b.txt", "B"}},
     {"a.txt"},
     {"-s", "a", "-r", "b"},
     {"b.txt"},
     {{"a.txt", "A"}, {"b.txt", "B"}},
     1,
     "%Fa.txt -> %Fb.txt: %Fb.txt があり、それより前に名前が変わりません\n" +
         std::string("[%Fa.txt] -> [%Fb.txt]") + failed,
     "0 1 0"},
    {"a file that is not there fails before anything is renamed",
     {},
     {"gone-1.txt"},
     {"-s", "-", "-r", "_"},
     {"gone_1.txt"},
     {},
     1,
     "%Fgone-1.txt: この名前のファイルもフォルダーもありません\n",
     "0 1 0"},
    {"a new name that is the whole match replaced by nothing is refused and left alone",
     {{"abab", "A"}, {"xab", "X"}},
     {"abab", "xab"},
     {"-s", "ab"},
     {"", "x"},
     {{"abab", "A"}, {"x", "X"}},
     1,
     emptyName,
     "1 1 0"},
    {"a forbidden character refuses the name with message 11",
     {{"a.txt", "A"}},
     {"a.txt"},
     {"--windows-names", "-s", "a", "-r", ":"},
     {""},
     {{"a.txt", "A"}},
     1,
     "%Fa.txt: ファイル名に　\\ / :  * ? \\\" < > |　は使えません\n",
     "0 1 0"},
    {"an escaped backslash in the Replace text is forbidden too",
     {{"a.txt", "A"}, {"b.txt", "B"}},
     {"a.txt", "b.txt"},
     {"--windows-names", "-s", "\\.", "-r", "\\\\"},
     {"", ""},
     {{"a.txt", "A"}, {"b.txt", "B"}},
     1,
     "%Fa.txt: ファイル名に　\\ / :  * ? \\\" < > |　は使えません\n"
     "%Fb.txt: ファイル名に　\\ / :  * ? \\\" < > |　は使えません\n",
     "0 2 0"},
    {"a device name, which Windows cannot hold beyond its nine characters, is refused",
     {{"con-1", "C"}, {"a-1", "A"}},
     {"con-1", "a-1"},
     {"--windows-names", "-s", "-1", "-r", ".txt"},
     {"con.txt", "a.txt"},
     {{"con-1", "C"}, {"a.txt", "A"}},
     1,
     "%Fcon-1: 新しい名前 con.txt は Windows "
     "で使えません（デバイス名、末尾の点や空白、制御文字）\n",
     "1 1 0"},
    {"a dry run prints the new names and renames nothing",
     {{"a-b.txt", "A"}, {"c-d.txt", "C"}},
     {"a-b.txt", "c-d.txt"},
     {"-n", "-s", "-", "-r", "_"},
     {"a_b.txt", "c_d.txt"},
     {{"a-b.txt", "A"}, {"c-d.txt", "C"}},
     0,
     ""},
    {"a dry run with a refused name",
     {{"abab", "A"}, {"xab", "X"}},
     {"abab", "xab"},
     {"--dry-run", "-s", "ab"},
     {"", "x"},
     {{"abab", "A"}, {"xab", "X"}},
     1,
     emptyName},
    {"a folder is renamed like a file, with what it holds",
     {{"old-dir", "<folder>"}, {"old-dir/inner.txt", "I"}},
     {"old-dir"},
     {"-s", "-", "-r", "_"},
     {"old_dir"},
     {{"old_dir", "<folder>inner.txt=I;"}},
     0,
     "",
     "1 0 0"},
    {"an empty Search text: message 10, no names, status 2",
     {{"a.txt", "A"}},
     {"a.txt"},
     {"-s", ""},
     {},
     {{"a.txt", "A"}},
     2,
     "正規表現の使い方が間違っとるぞ。\n"},
    {"a region that is not closed: message 10",
     {{"a.txt", "A"}},
     {"a.txt"},
     {"-s", "{a", "-r", "b"},
     {},
     {{"a.txt", "A"}},
     2,
     "正規表現の使い方が間違っとるぞ。\n"},
    {"a region inside parentheses: message 12",
     {{"ab.txt", "A"}},
     {"ab.txt"},
     {"-s", "(a{b})", "-r", "x"},
     {},
     {{"ab.txt", "A"}},
     2,
     "( )の中に{ }を入れることはできません\n詳しくはヘルプを参照してください\n"},
    {"a pattern the library refuses: told once with the library's reason, nothing renamed",
     {{"a.txt", "A"}, {"b.txt", "B"}},
     {"a.txt", "b.txt"},
     {"-s", "a**", "-r", "x"},
     {"a.txt", "b.txt"},
     {{"a.txt", "A"}, {"b.txt", "B"}},
     2,
     "正規表現の使い方おかしいぞこの野郎。 'a**': repetition after a repetition at byte 2\n"},
    // Code page 932 with raw bytes: 表 is 95 5C, ソ is 83 5C; a second byte 0x5C is never a
    // backslash or a separator.
    {"Shift-JIS: a region and its back reference twice",
     {{"\x95\x5C"
       "1.txt",
       "H"}},
     {"\x95\x5C"
      "1.txt"},
     {"--code-page=932", "-s", "{\x95\x5C}1", "-r", "\\1\\1"},
     {"\x95\x5C\x95\x5C.txt"},
     {{"\x95\x5C\x95\x5C.txt", "H"}},
     0,
     "",
     "1 0 0"},
    {"Shift-JIS: a back reference that begins with a second byte 0x5C is inserted unchanged",
     {{"x\x95\x5C"
       "1.txt",
       "H"}},
     {"x\x95\x5C"
      "1.txt"},
     {"--code-page=932", "-s",
      "x{\x95\x5C"
      "1}",
      "-r", "\\1-\\1"},
     {"\x95\x5C"
      "1-\x95\x5C"
      "1.txt"},
     {{"\x95\x5C"
       "1-\x95\x5C"
       "1.txt",
       "H"}},
     0,
     "",
     "1 0 0"},
    {"Shift-JIS: a name that ends in a second byte 0x5C",
     {{"a\x95\x5C", "H"}, {"\x83\x5C\x81\x5B\x83\x58.txt", "S"}},
     {"a\x95\x5C", "\x83\x5C\x81\x5B\x83\x58.txt"},
     {"--code-page=932", "-s", "a|\\.txt", "-r", "b"},
     {"b\x95\x5C", "\x83\x5C\x81\x5B\x83\x58"
                   "b"},
     {{"b\x95\x5C", "H"},
      {"\x83\x5C\x81\x5B\x83\x58"
       "b",
       "S"}},
     0,
     "",
     "2 0 0"},
    {"Shift-JIS: a double-byte character in the Search text",
     {{"\x95\x5C\x95\x5C"
       "1.txt",
       "H"}},
     {"\x95\x5C\x95\x5C"
      "1.txt"},
     {"--code-page=932", "-s", "\x95\x5C", "-r", "_"},
     {"__1.txt"},
     {{"__1.txt", "H"}},
     0,
     "",
     "1 0 0"},
#ifndef _WIN32
    // A lone lead byte reaches a Windows program's command line only as another character, so
    // these two run natively.
    {"a slash behind a lone lead byte is a separator: the name is refused, nothing moves",
     {{"dir", "<folder>"}, {"dir/a.txt", "A"}},
     {"dir/a.txt"},
     {"--code-page=932", "-s", "a", "-r", "\x95/b"},
     {""},
     {{"dir", "<folder>a.txt=A;"}},
     1,
     "%Fdir/a.txt: ファイル名に　/　は使えません\n",
     "0 1 0"},
    {"a later step refused refuses the whole row: nothing half made is renamed",
     {{"ab", "A"}},
     {"ab"},
     {"--windows-names", "--code-page=932", "-s", "[ab]", "-r", "\x95\x5C\x95"},
     {""},
     {{"ab", "A"}},
     1,
     "%Fab: ファイル名に　\\ / :  * ? \\\" < > |　は使えません\n",
     "0 1 0"},
#endif
};

void PrintTo(const RenameCase& c, std::ostream* os) {
    *os << c.comment;
}

class Rename : public ::testing::TestWithParam<RenameCase> {};

TEST_P(Rename, PrintsTheNewNamesRenamesAndExitsAsTheWindowsPassesDo) {
    const RenameCase& c = GetParam();
    TestFolder folder;
    ASSERT_FALSE(folder.path().empty());
    for (const auto& [name, contents] : c.files)
        ASSERT_TRUE(place(folder, name, contents)) << name;
    Strings args = c.options;
    std::string lines;
    for (std::size_t i = 0; i < c.rows.size(); ++i) {
        args.push_back(folder.pathOf(c.rows[i]));
        if (!c.newNames.empty())
            lines += expectedRecord(folder.pathOf(c.rows[i]), c.newNames[i]);
    }
    CliResult result = runCli(args);
    EXPECT_EQ(result.status, c.status) << c.comment;
    EXPECT_EQ(result.out, lines) << c.comment;
    std::string err = withFolder(c.err, folder.path());
    if (c.counts != nullptr) {
        int renamed = 0, failedRows = 0, unchanged = 0;
        ASSERT_EQ(std::sscanf(c.counts, "%d %d %d", &renamed, &failedRows, &unchanged), 3);
        err += "kibrel-cli: 名前を変えた " + std::to_string(renamed) + "、失敗 " +
               std::to_string(failedRows) + "、そのまま " + std::to_string(unchanged) + "\n";
    }
    EXPECT_EQ(withoutReasons(result.err), onTerminal(err)) << c.comment;
    EXPECT_EQ(folder.entries(), c.after) << c.comment;
}

INSTANTIATE_TEST_SUITE_P(Cases, Rename, ::testing::ValuesIn(renameCases));

#ifdef _WIN32
// Whether the bytes are whole characters of code page 932, as a Windows command line can carry
// them.
bool wholeShiftJis(const std::string& text) {
    const TableCodePage shiftJis(932);
    for (std::size_t i = 0; i < text.size(); i += shiftJis.charLength(text, i))
        if (shiftJis.isLeadByte(static_cast<unsigned char>(text[i])) &&
            shiftJis.charLength(text, i) == 1)
            return false;
    return true;
}

// Whether two names differ in letter case alone, and so name one file on Windows.
bool onlyCaseDiffers(const std::string& a, const std::string& b) {
    return a != b && CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, a.data(),
                                    static_cast<int>(a.size()), b.data(),
                                    static_cast<int>(b.size())) == CSTR_EQUAL;
}
#endif

class NameCaseDryRun : public ::testing::TestWithParam<NameCase> {};

// The names of the test pass, as kibrel-cli prints them with the window's rule for names: a
// pattern refused before the rows prints no name; a message about one row names it; a refused
// pattern is told once with the library's reason; an empty new name exits 1.
TEST_P(NameCaseDryRun, PrintsTheNewNameAndTheMessage) {
    const NameCase& c = GetParam();
#ifdef _WIN32
    if (c.codePage != 932 || !wholeShiftJis(c.search) || !wholeShiftJis(c.replace) ||
        !wholeShiftJis(c.name))
        GTEST_SKIP() << "not whole characters of the ANSI code page";
    // The forecast takes the row's own file, under the new spelling, for another file that is
    // in the way; the window's pass gives these names under Wine in engine_tests.
    if (onlyCaseDiffers(c.name, c.newName))
        GTEST_SKIP() << "a new name in another letter case is foreseen as taken on Windows";
#endif
    TestFolder folder;
    const std::string path = folder.pathOf(c.name);
    // The dry run foresees a missing file, so the rows' files are there.
    ASSERT_TRUE(folder.writeFile(c.name, "N")) << c.name;
    Strings args = {"-n",
                    "--windows-names",
                    "--code-page=" + std::to_string(c.codePage),
                    "--start=" + std::to_string(c.firstNumber),
                    "-s",
                    c.search,
                    "-r",
                    c.replace,
                    path};
    std::string records = expectedRecord(path, c.newName);
    for (const auto& [name, newName] : c.moreRows) {
        ASSERT_TRUE(folder.writeFile(name, "N")) << name;
        args.push_back(folder.pathOf(name));
        records += expectedRecord(args.back(), newName);
    }
    CliResult result = runCli(args);
    const bool beforeRows =
        c.message == SystemText::BadPattern || c.message == SystemText::RegionInGroup;
    EXPECT_EQ(result.out, beforeRows ? "" : records);
    const std::string text = c.message ? onTerminal(systemTextUtf8(*c.message)) : "";
    // A new name Windows cannot hold is refused after the test pass, its control characters
    // shown as escapes.
    const bool notForWindows = !c.message && !c.newName.empty() && windowsCannotHold(c.newName);
    if (notForWindows) {
        std::string shown;
        for (char ch : c.newName)
            shown += ch == '\t'   ? std::string("\\t")
                     : ch == '\n' ? std::string("\\n")
                                  : std::string(1, ch);
        EXPECT_EQ(result.err, path + onTerminal(": 新しい名前 ") + shown +
                                  onTerminal(" は Windows で使えません（デバイス名、末尾の点や"
                                             "空白、制御文字）\n"));
    } else if (!c.message && c.newName.empty())
        EXPECT_EQ(result.err,
                  path + onTerminal(": 新しい名前が空なので、このファイルはそのままです\n"));
    else if (c.message == SystemText::ForbiddenCharacter)
        EXPECT_EQ(result.err, path + ": " + text + "\n");
    else if (c.message == SystemText::PatternRefused)
        EXPECT_EQ(result.err.rfind(text + " '", 0), 0u) << result.err;
    else
        EXPECT_EQ(result.err, c.message ? text + "\n" : "");
    const int status = beforeRows || c.message == SystemText::PatternRefused ? 2
                       : c.newName.empty() || notForWindows                  ? 1
                                                                             : 0;
    EXPECT_EQ(result.status, status);
}

INSTANTIATE_TEST_SUITE_P(Names, NameCaseDryRun, ::testing::ValuesIn(nameCases()));

#ifdef _WIN32
// café_… beside the plain cafe_… that the platform's best fit makes of it, and names beyond
// code page 932, given with one name it holds: the PATHs it cannot hold are named in one
// message and get no row (exit 1), the other is renamed, and no look-alike is touched.
TEST(LookAlikes, APathTheCodePageCannotHoldIsRefusedAndNoLookAlikeIsRenamed) {
    TestFolder folder;
    const FolderEntries before = {{"café_2001_0903.jpg", "accent"},
                                  {"cafe_2001_0903.jpg", "plain"},
                                  {"表_2001_0903.jpg", "held"},
                                  {"한국_1.txt", "hangul"},
                                  {"😀_1.txt", "emoji"}};
    for (const auto& [name, contents] : before)
        ASSERT_TRUE(folder.writeUtf8File(name, contents)) << name;
    // The folder's path is ASCII, the same in UTF-8.
    Strings args = {"-q", "-s", "{\\d\\d\\d\\d}_{\\d\\d\\d\\d}", "-r", "\\2-\\1"};
    for (const char* name : {"café_2001_0903.jpg", "表_2001_0903.jpg", "한국_1.txt", "😀_1.txt"})
        args.push_back(folder.pathOf(name));
    RunSetting setting;
    setting.utf8Arguments = true;
    const CliResult result = runCli(args, setting);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, onTerminal("次のパスには、このシステムのコードページにない文字（?で示した"
                                     "もの）があるため、対象から外しました:") +
                              "\n" + folder.pathOf("caf?_2001_0903.jpg") + "\n" +
                              folder.pathOf("??_1.txt") + "\n" + folder.pathOf("??_1.txt") + "\n");
    FolderEntries after = before;
    after.erase("表_2001_0903.jpg");
    after["表_0903-2001.jpg"] = "held";
    EXPECT_EQ(folder.utf8Entries(), after);
}

// kibrel-cli-utf8.exe works in UTF-8, so it reaches those names themselves: café_… and 😀_… are
// renamed, and the plain cafe_… beside café_… is not.
TEST(LookAlikes, TheUtf8ProgramRenamesEveryNameAsItselfAndNoLookAlike) {
    TestFolder folder;
    ASSERT_TRUE(folder.writeUtf8File("café_2001_0903.jpg", "accent"));
    ASSERT_TRUE(folder.writeUtf8File("cafe_2001_0903.jpg", "plain"));
    ASSERT_TRUE(folder.writeUtf8File("😀_2001_0903.txt", "emoji"));
    RunSetting setting;
    setting.utf8Arguments = true;
    const std::string program = builtCli().substr(0, builtCli().size() - 4) + "-utf8.exe";
    const CliResult result =
        runProgram(program,
                   {"-q", "-s", "{\\d\\d\\d\\d}_{\\d\\d\\d\\d}", "-r", "\\2-\\1",
                    folder.pathOf("café_2001_0903.jpg"), folder.pathOf("😀_2001_0903.txt")},
                   setting);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(folder.utf8Entries(), (FolderEntries{{"café_0903-2001.jpg", "accent"},
                                                   {"cafe_2001_0903.jpg", "plain"},
                                                   {"😀_0903-2001.txt", "emoji"}}));
}
#endif

} // namespace
