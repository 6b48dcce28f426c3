#include "cli_process.h"
#include "kibrel_version.h"
#include "test_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

const char* const tryHelp = "\nTry 'kibrel-cli --help' for more information.\n";

RunSetting inLocale(const char* locale) {
    RunSetting setting;
    setting.locale = locale;
    return setting;
}

// A usage error as kibrel-cli says it in Japanese: natively under the tests' Japanese locale,
// under Wine with code page 932.
std::string japaneseUsageError(const std::string& error) {
    return onTerminal("kibrel-cli: " + error + "\n詳しくは 'kibrel-cli --help' を見てください。\n");
}

struct UsageCase {
    Strings options; // before the PATH "a-b.txt" of the folder, unless noPath
    bool noPath;
    std::string error;
    std::string japanese;
};

const UsageCase usageCases[] = {
    {{"-r", "_"},
     false,
     "the Search text is missing: give it with -s TEXT",
     "Search の文字列がありません: -s TEXT で指定してください"},
    {{"-s", "-"},
     true,
     "no PATH given: name the files and folders to rename, or --from-file",
     "PATH がありません: 名前を変えるファイルとフォルダーか、--from-file を指定してください"},
    {{"-s", "-", "--bogus"},
     false,
     "unrecognized option '--bogus'",
     "オプション '--bogus' はありません"},
    {{"-s", "-", "-x"}, false, "invalid option -- 'x'", "オプション -- 'x' はありません"},
    {{"-s", "-", "--dry-run=yes"},
     false,
     "option '--dry-run' doesn't allow an argument",
     "オプション '--dry-run' は引数を取りません"},
    {{"-s", "-", "--code-page=936"},
     false,
     "invalid code page '936': use 932, utf-8 or 1252",
     "コードページ '936' は使えません: 932、utf-8、1252 のどれかにしてください"},
    {{"-s"}, true, "option requires an argument -- 's'", "オプション -- 's' には引数が必要です"},
    {{"-s", "-", "--replace"},
     true,
     "option '--replace' requires an argument",
     "オプション '--replace' には引数が必要です"},
};

class UsageError : public ::testing::TestWithParam<UsageCase> {};

TEST_P(UsageError, ExitsWithStatus2AndSaysWhatIsWrong) {
    const UsageCase& c = GetParam();
    TestFolder folder;
    ASSERT_TRUE(folder.writeFile("a-b.txt", "A"));
    Strings args = c.options;
    if (!c.noPath)
        args.push_back(folder.pathOf("a-b.txt"));
    CliResult result = runCli(args);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, japaneseUsageError(c.japanese));
#ifndef _WIN32
    result = runCli(args, inLocale("C.UTF-8"));
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, "kibrel-cli: " + c.error + tryHelp);
#endif
    EXPECT_EQ(folder.entries(), (FolderEntries{{"a-b.txt", "A"}}));
}

INSTANTIATE_TEST_SUITE_P(Cases, UsageError, ::testing::ValuesIn(usageCases));

// An empty PATH names no file, and nothing at all is renamed; a folder given with separators at
// its end, as a shell's completion writes it, is the folder.
TEST(UsageError, AnEmptyPathIsRefusedWithTheOthersAndAFolderMayEndInASeparator) {
    TestFolder folder;
    ASSERT_TRUE(folder.writeFile("a-b.txt", "A"));
    CliResult result = runCli({"-s", "-", folder.pathOf("a-b.txt"), ""});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, japaneseUsageError("空の PATH はファイルを表しません"));
    EXPECT_EQ(folder.entries(), (FolderEntries{{"a-b.txt", "A"}}));
    ASSERT_TRUE(folder.makeFolder("d-1"));
    const std::string separator(1, folder.path().back());
    result = runCli({"-q", "-s", "-", "-r", "_", folder.pathOf("d-1") + separator + separator});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(folder.entries(), (FolderEntries{{"a-b.txt", "A"}, {"d_1", "<folder>"}}));
}

struct HelpLanguage {
    const char* locale;
    const char* usage;
    std::vector<const char*> texts;
};

// In Japanese under the Japanese locale (code page 932 under Wine), natively in English under
// any other.
const HelpLanguage helpLanguages[] = {
    {"ja_JP.UTF-8",
     "使い方: kibrel-cli [OPTION]... PATH...\n",
     {"ジャーナル", "\\1〜\\9", "終了ステータス:", "標準出力", "英語です。"}},
#ifndef _WIN32
    {"C.UTF-8",
     "Usage: kibrel-cli [OPTION]... PATH...\n",
     {"journal", "\\1 to \\9", "Exit status:", "standard output", "English otherwise."}},
#endif
};

TEST(Help, PrintsTheUsageEveryOptionThePatternLanguageAndTheJournal) {
    for (const HelpLanguage& language : helpLanguages) {
        for (const char* option : {"--help", "-h"}) {
            CliResult result = runCli({option}, inLocale(language.locale));
            EXPECT_EQ(result.status, 0);
            EXPECT_EQ(result.err, "");
            EXPECT_EQ(result.out.rfind(onTerminal(language.usage), 0), 0u) << language.locale;
            std::vector<const char*> texts = language.texts;
            for (const char* option : {"-s, --search=TEXT", "-r, --replace=TEXT", "-n, --dry-run",
                                       "--code-page=CP", "-h, --help", "-V, --version", "--order",
                                       "--undo", "--from-file=FILE", "-0, --null", "-q, --quiet",
                                       "-v, --verbose", "--windows-names", "--start=N", "\\#"})
                texts.push_back(option);
            for (const char* text : texts)
                EXPECT_NE(result.out.find(onTerminal(text)), std::string::npos)
                    << language.locale << ": " << text;
        }
    }
}

TEST(Version, NamesTheProgramsVersionAndTheLibrarys) {
    for (const char* option : {"--version", "-V"}) {
        CliResult result = runCli({option});
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.out, "kibrel-cli (Kibrel) " KIBREL_VERSION "\nJRE32.DLL 1.00\n");
        EXPECT_EQ(result.err, "");
    }
}

// The program copied alone into a folder of its own finds no regex library beside it.
TEST(MissingLibrary, ShowsString14AndRenamesNothing) {
    TestFolder folder;
    std::string program = builtCli();
    std::string copy = program.substr(program.find_last_of("\\/") + 1);
    ASSERT_TRUE(folder.copyFileIn(program, copy));
    ASSERT_TRUE(folder.writeFile("a-b.txt", "A"));
    // Copied alone, the program has no catalog beside it either: it speaks English natively.
    CliResult result = runProgram(
        folder.pathOf(copy), {"-s", "-", "-r", "_", folder.pathOf("a-b.txt")},
        RunSetting{
            .workingFolder = folder.path(), .input = {}, .locale = "C.UTF-8", .stateFolder = {}});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
#ifdef _WIN32
    EXPECT_EQ(result.err, onTerminal("JRE32.DLLが見つかりませんでした\n"));
#else
    EXPECT_EQ(result.err, "The regex library jre32 was not found.\n");
#endif
    EXPECT_EQ(folder.entries().count("a-b.txt"), 1u);
}

#ifdef _WIN32
TEST(CodePage, OnWindowsOnlyTheAnsiCodePageCanBeUsed) {
    TestFolder folder;
    ASSERT_TRUE(folder.writeFile("a-b.txt", "A"));
    CliResult result = runCli({"--code-page=utf-8", "-s", "-", folder.pathOf("a-b.txt")});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, japaneseUsageError("コードページ 65001 はここでは使えません: Windows "
                                             "の名前は ANSI コードページ 932 です"));
}
#else
// Natively the locale C.UTF-8 makes UTF-8 the default code page: a UTF-8 name is searched by
// its characters.
TEST(CodePage, NativelyAUtf8LocaleMeansUtf8Names) {
    TestFolder folder;
    ASSERT_TRUE(folder.writeFile("\xE8\xA1\xA8"
                                 "1.txt",
                                 "H"));
    CliResult result = runCli({"-s", "{\xE8\xA1\xA8}1", "-r", "\\1\\1",
                               folder.pathOf("\xE8\xA1\xA8"
                                             "1.txt")});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, folder.pathOf("\xE8\xA1\xA8"
                                        "1.txt") +
                              "\t\xE8\xA1\xA8\xE8\xA1\xA8.txt\n");
    EXPECT_EQ(folder.entries(), (FolderEntries{{"\xE8\xA1\xA8\xE8\xA1\xA8.txt", "H"}}));
}
#endif

} // namespace
