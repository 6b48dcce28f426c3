#include "cli_process.h"
#include "kibrel_version.h"
#include "test_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

const char* const tryHelp = "\nTry 'kibrel-cli --help' for more information.\n";

struct UsageCase {
    Strings options; // before the PATH "a-b.txt" of the folder, unless noPath
    bool noPath;
    std::string error;
};

const UsageCase usageCases[] = {
    {{"-r", "_"}, false, "the Search text is missing: give it with -s TEXT"},
    {{"-s", "-"}, true, "no PATH given: name the files and folders to rename, or --from-file"},
    {{"-s", "-", "--bogus"}, false, "unrecognized option '--bogus'"},
    {{"-s", "-", "-x"}, false, "invalid option -- 'x'"},
    {{"-s", "-", "--dry-run=yes"}, false, "option '--dry-run' doesn't allow an argument"},
    {{"-s", "-", "--code-page=936"}, false, "invalid code page '936': use 932, utf-8 or 1252"},
    {{"-s"}, true, "option requires an argument -- 's'"},
    {{"-s", "-", "--replace"}, true, "option '--replace' requires an argument"},
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
    EXPECT_EQ(result.err, "kibrel-cli: " + c.error + tryHelp);
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
    EXPECT_EQ(result.err, std::string("kibrel-cli: an empty PATH names no file") + tryHelp);
    EXPECT_EQ(folder.entries(), (FolderEntries{{"a-b.txt", "A"}}));
    ASSERT_TRUE(folder.makeFolder("d-1"));
    const std::string separator(1, folder.path().back());
    result = runCli({"-q", "-s", "-", "-r", "_", folder.pathOf("d-1") + separator + separator});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(folder.entries(), (FolderEntries{{"a-b.txt", "A"}, {"d_1", "<folder>"}}));
}

TEST(Help, PrintsTheUsageEveryOptionThePatternLanguageAndTheJournal) {
    for (const char* option : {"--help", "-h"}) {
        CliResult result = runCli({option});
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.err, "");
        EXPECT_EQ(result.out.rfind("Usage: kibrel-cli [OPTION]... PATH...\n", 0), 0u);
        for (const char* text :
             {"-s, --search=TEXT", "-r, --replace=TEXT", "-n, --dry-run", "--code-page=CP",
              "-h, --help", "-V, --version", "--order", "--undo", "--from-file=FILE", "-0, --null",
              "-q, --quiet", "-v, --verbose", "--windows-names", "journal", "\\1 to \\9",
              "Exit status:"})
            EXPECT_NE(result.out.find(text), std::string::npos) << text;
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
    EXPECT_EQ(result.err, std::string("kibrel-cli: code page 65001 cannot be used here: on "
                                      "Windows names are in the ANSI code page, 932") +
                              tryHelp);
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
