#include "cli_process.h"
#include "test_folder.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <utility>
#include <vector>

#ifndef _WIN32
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

namespace {

using Strings = std::vector<std::string>;
using Files = std::vector<std::pair<std::string, std::string>>;

std::string withFolder(std::string text, const std::string& folder) {
    for (std::size_t at = text.find("%F"); at != std::string::npos;
         at = text.find("%F", at + folder.size()))
        text.replace(at, 2, folder);
    return text;
}

Strings pathsIn(const TestFolder& folder, const Strings& names) {
    Strings paths;
    for (const std::string& name : names)
        paths.push_back(folder.pathOf(name));
    return paths;
}

// Every kind of conflict, told before anything is renamed: a dry run names it and exits 1; with
// --order the chain and the swap are renamed and nothing is lost.
struct ConflictCase {
    const char* comment;
    Files files;
    Strings rows;
    Strings options;
    std::string told; // standard error of the dry run, "%F" the folder
    FolderEntries ordered;
    int orderedStatus;
};

const ConflictCase conflictCases[] = {
    {"three rows onto one name",
     {{"a1.txt", "A"}, {"b1.txt", "B"}, {"c1.txt", "C"}},
     {"a1.txt", "b1.txt", "c1.txt"},
     {"-s", "^\\a", "-r", "x"},
     "%Fa1.txt と %Fb1.txt が同じ新しい名前 %Fx1.txt になります\n"
     "%Fa1.txt と %Fc1.txt が同じ新しい名前 %Fx1.txt になります\n",
     {{"x1.txt", "A"}, {"b1.txt", "B"}, {"c1.txt", "C"}},
     1},
    {"a new name that exists",
     {{"a.txt", "A"}, {"b.txt", "B"}},
     {"a.txt"},
     {"-s", "a", "-r", "b"},
     "%Fa.txt -> %Fb.txt: %Fb.txt があり、それより前に名前が変わりません\n",
     {{"a.txt", "A"}, {"b.txt", "B"}},
     1},
    {"a chain in the wrong order",
     {{"a.txt", "A"}, {"aa.txt", "AA"}},
     {"a.txt", "aa.txt"},
     {"-s", "a", "-r", "aa"},
     "リストで %Fa.txt -> %Faa.txt が %Faa.txt -> %Faaaa.txt より前にあるので、%Faa.txt "
     "がまだあります（--order なら順番を変えて名前を変えます）\n",
     {{"aa.txt", "A"}, {"aaaa.txt", "AA"}},
     0},
    {"a chain in the wrong order beside a file the pattern leaves as it is, which is no failure",
     {{"a.txt", "A"}, {"aa.txt", "AA"}, {"z.txt", "Z"}},
     {"a.txt", "z.txt", "aa.txt"},
     {"-s", "a", "-r", "aa"},
     "リストで %Fa.txt -> %Faa.txt が %Faa.txt -> %Faaaa.txt より前にあるので、%Faa.txt "
     "がまだあります（--order なら順番を変えて名前を変えます）\n",
     {{"aa.txt", "A"}, {"aaaa.txt", "AA"}, {"z.txt", "Z"}},
     0},
    {"a swap",
     {{"ab", "X"}, {"ba", "Y"}},
     {"ab", "ba"},
     {"-s", "{\\a}{\\a}", "-r", "\\2\\1"},
     "%Fab と %Fba が互いの名前になるので、どちらも先に変えられません"
     "（--order なら一時的な名前を経由して入れ替えます）\n",
     {{"ab", "Y"}, {"ba", "X"}},
     0},
};

void PrintTo(const ConflictCase& c, std::ostream* os) {
    *os << c.comment;
}

class Conflicts : public ::testing::TestWithParam<ConflictCase> {};

TEST_P(Conflicts, AreToldBeforeAnythingIsRenamedAndOrderedRenamesLoseNothing) {
    const ConflictCase& c = GetParam();
    TestFolder folder;
    FolderEntries before;
    for (const auto& [name, contents] : c.files) {
        ASSERT_TRUE(folder.writeFile(name, contents));
        before[name] = contents;
    }
    Strings args = c.options;
    args.push_back("-n");
    for (const std::string& path : pathsIn(folder, c.rows))
        args.push_back(path);
    CliResult dry = runCli(args);
    EXPECT_EQ(dry.status, 1);
    EXPECT_EQ(dry.err, onTerminal(withFolder(c.told, folder.path())));
    EXPECT_EQ(folder.entries(), before);

    args.erase(args.begin() + static_cast<long>(c.options.size()));
    args.push_back("--order");
    CliResult ordered = runCli(args);
    EXPECT_EQ(ordered.status, c.orderedStatus) << ordered.err;
    EXPECT_EQ(folder.entries(), c.ordered);
}

INSTANTIATE_TEST_SUITE_P(Cases, Conflicts, ::testing::ValuesIn(conflictCases));

// A run taken back: --undo -n shows it newest first, --undo -v renames every file back and
// tells each, and a second --undo finds nothing left to take back and redoes nothing. A file
// whose name stayed is no part of the run, and a folder that a file was saved into since is
// still the folder that was renamed.
TEST(Undo, TakesTheLastRunBackNewestFirst) {
    TestFolder folder;
    TestFolder state;
    const RunSetting setting{
        .workingFolder = {}, .input = {}, .locale = "ja_JP.UTF-8", .stateFolder = state.path()};
    ASSERT_TRUE(folder.writeFile("a-b.txt", "A") && folder.writeFile("c-d.txt", "C") &&
                folder.writeFile("plain.txt", "P") && folder.makeFolder("f-g"));
    Strings args{"-s", "-", "-r", "_"};
    for (const std::string& path : pathsIn(folder, {"a-b.txt", "plain.txt", "c-d.txt", "f-g"}))
        args.push_back(path);
    ASSERT_EQ(runCli(args, setting).status, 0);
    ASSERT_TRUE(folder.writeFile("f_g/new.txt", "N"));
    CliResult shown = runCli({"--undo", "-n"}, setting);
    EXPECT_EQ(shown.status, 0);
    EXPECT_EQ(shown.out, folder.pathOf("f_g") + "\tf-g\n" + folder.pathOf("c_d.txt") +
                             "\tc-d.txt\n" + folder.pathOf("a_b.txt") + "\ta-b.txt\n");
    const FolderEntries renamed{
        {"a_b.txt", "A"}, {"c_d.txt", "C"}, {"plain.txt", "P"}, {"f_g", "<folder>new.txt=N;"}};
    EXPECT_EQ(folder.entries(), renamed);
    const std::string made = "名前を変えました ";
    CliResult undone = runCli({"--undo", "-v"}, setting);
    EXPECT_EQ(undone.status, 0);
    EXPECT_EQ(undone.out, "");
    EXPECT_EQ(undone.err,
              onTerminal(made + folder.pathOf("f_g") + " -> " + folder.pathOf("f-g") + "\n" + made +
                         folder.pathOf("c_d.txt") + " -> " + folder.pathOf("c-d.txt") + "\n" +
                         made + folder.pathOf("a_b.txt") + " -> " + folder.pathOf("a-b.txt") +
                         "\n" + "kibrel-cli: 取り消し 3、取り消せず 0\n"));
    const FolderEntries before{
        {"a-b.txt", "A"}, {"c-d.txt", "C"}, {"plain.txt", "P"}, {"f-g", "<folder>new.txt=N;"}};
    EXPECT_EQ(folder.entries(), before);
    CliResult again = runCli({"--undo"}, setting);
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(again.err, onTerminal("kibrel-cli: 前回の実行はもう取り消してあります\n"));
    EXPECT_EQ(folder.entries(), before);
}

// A file replaced or moved since the run is told and left alone; the others go back, a file
// written to since among them. What was left is taken back by a later --undo once it can be.
TEST(Undo, LeavesAFileChangedSinceAloneAndRetriesIt) {
    TestFolder folder;
    TestFolder state;
    const RunSetting setting{
        .workingFolder = {}, .input = {}, .locale = "ja_JP.UTF-8", .stateFolder = state.path()};
    ASSERT_TRUE(folder.writeFile("a.x", "A") && folder.writeFile("c.x", "C") &&
                folder.writeFile("e.x", "E"));
    Strings args{"-s", "\\.x", "-r", ".y"};
    for (const std::string& path : pathsIn(folder, {"a.x", "c.x", "e.x"}))
        args.push_back(path);
    ASSERT_EQ(runCli(args, setting).status, 0);
    // Saved as an editor saves: the new file made, then put in the old one's place.
    ASSERT_TRUE(folder.writeFile("a.new", "new") && folder.remove("a.y") &&
                folder.rename("a.new", "a.y"));
    ASSERT_TRUE(folder.rename("c.y", "moved.y"));
    {
        std::FILE* edited = std::fopen(folder.pathOf("e.y").c_str(), "ab");
        ASSERT_NE(edited, nullptr);
        std::fputs(" edited", edited);
        std::fclose(edited);
    }
    CliResult undone = runCli({"--undo"}, setting);
    EXPECT_EQ(undone.status, 1);
    EXPECT_EQ(undone.err,
              onTerminal(withFolder("%Fc.y: 取り消しません: その後に移動したか名前が変わりました\n"
                                    "%Fa.y: 取り消しません: 今は別のファイルがその名前です\n"
                                    "kibrel-cli: 取り消し 1、取り消せず 2\n",
                                    folder.path())));
    EXPECT_EQ(folder.entries(),
              (FolderEntries{{"a.y", "new"}, {"moved.y", "C"}, {"e.x", "E edited"}}));
    ASSERT_TRUE(folder.rename("moved.y", "c.y"));
    undone = runCli({"--undo"}, setting);
    EXPECT_EQ(undone.status, 1) << "the replaced file is still told";
    EXPECT_EQ(undone.err,
              onTerminal(withFolder("%Fa.y: 取り消しません: 今は別のファイルがその名前です\n"
                                    "kibrel-cli: 取り消し 1、取り消せず 1\n",
                                    folder.path())));
    EXPECT_EQ(folder.entries(), (FolderEntries{{"a.y", "new"}, {"c.x", "C"}, {"e.x", "E edited"}}));
}

// The way back survives everyday mistakes: a run with relative PATHs is taken back from
// another folder after a refused pattern, a run that matched nothing and a run whose every
// rename failed, none of which replaces the journal. An undo that cannot restore a name that is
// taken says so, shown or real, and a later undo takes the file back once the name is free.
TEST(Undo, SurvivesRunsThatRenameNothingAndWorksFromAnotherFolder) {
    TestFolder folder;
    TestFolder elsewhere;
    TestFolder state;
    RunSetting inFolder{.workingFolder = folder.path(),
                        .input = {},
                        .locale = "ja_JP.UTF-8",
                        .stateFolder = state.path()};
    RunSetting inElsewhere = inFolder;
    inElsewhere.workingFolder = elsewhere.path();
    ASSERT_TRUE(folder.writeFile("a-1", "A") && folder.writeFile("b-1", "B") &&
                folder.writeFile("c_1", "C"));
    ASSERT_EQ(runCli({"-q", "-s", "-", "-r", "_", "a-1", "b-1"}, inFolder).status, 0);
    EXPECT_EQ(runCli({"-q", "-s", "*a", "a_1"}, inFolder).status, 2);
    EXPECT_EQ(runCli({"-q", "-s", "zzz", "a_1"}, inFolder).status, 0);
    EXPECT_EQ(runCli({"-q", "-s", "_", "-r", "-", "c_1", "a_1"}, inElsewhere).status, 1)
        << "every rename fails: the PATHs name nothing there";
    ASSERT_TRUE(folder.writeFile("a-1", "blocker"));
    CliResult shown = runCli({"--undo", "-n"}, inElsewhere);
    EXPECT_EQ(shown.status, 1);
    EXPECT_EQ(shown.out, folder.pathOf("b_1") + "\tb-1\n");
    const std::string told = withFolder("%Fa_1: 取り消しません: %Fa-1 があります\n", folder.path());
    EXPECT_EQ(shown.err, onTerminal(told));
    CliResult undone = runCli({"--undo"}, inElsewhere);
    EXPECT_EQ(undone.status, 1);
    EXPECT_EQ(folder.entries(),
              (FolderEntries{{"a-1", "blocker"}, {"a_1", "A"}, {"b-1", "B"}, {"c_1", "C"}}));
    ASSERT_TRUE(folder.remove("a-1"));
    undone = runCli({"--undo"}, inFolder);
    EXPECT_EQ(undone.status, 0) << undone.err;
    EXPECT_EQ(undone.err, onTerminal("kibrel-cli: 取り消し 1、取り消せず 0\n"));
    EXPECT_EQ(folder.entries(), (FolderEntries{{"a-1", "A"}, {"b-1", "B"}, {"c_1", "C"}}));
}

// A journal that cannot be read is told with its path and what is wrong, never as no run.
TEST(Undo, ADamagedJournalIsToldAsDamaged) {
    TestFolder state;
    const RunSetting setting{
        .workingFolder = {}, .input = {}, .locale = "ja_JP.UTF-8", .stateFolder = state.path()};
#ifdef _WIN32
    const std::string folder = "Kibrel";
#else
    const std::string folder = "kibrel";
#endif
    const std::string name = folder + state.path().back() + "last-run.journal";
    const std::string journal = state.pathOf(name);
    ASSERT_TRUE(state.makeFolder(folder));
    const struct {
        const char* contents; // nullptr: a folder
        const char* told;
    } cases[] = {
        {"", "が壊れています: 空です"},
        {"\x8F\x01garbage\xFF\n\n", "が壊れています: 記録の始まり方をしていません"},
        {"kibrel-cli journal 2\nrename\tonly one path\n", "が壊れています: 2 行目を読めません"},
        {nullptr, "はフォルダーで、記録ではありません"},
    };
    for (const auto& c : cases) {
        if (c.contents != nullptr)
            ASSERT_TRUE(state.writeFile(name, c.contents));
        else
            ASSERT_TRUE(state.remove(name) && state.makeFolder(name));
        const CliResult undone = runCli({"--undo"}, setting);
        EXPECT_EQ(undone.status, 2) << c.told;
        EXPECT_EQ(undone.err, onTerminal("kibrel-cli: 記録（ジャーナル）") + journal + " " +
                                  onTerminal(std::string(c.told) + "\n"));
    }
}

// The dry run meets what the real run meets, and both exit 1 for it, telling it before any
// rename: a PATH that names nothing, one file under two spellings, a folder renamed before a
// PATH inside it, and a PATH that no rename can move.
struct ForeseenCase {
    const char* comment;
    Strings paths; // "%F" the folder
    std::string told;
    FolderEntries after;
};

const ForeseenCase foreseenCases[] = {
    {"a PATH that names nothing",
     {"%Fgone-1", "%Fa-1"},
     "%Fgone-1: この名前のファイルもフォルダーもありません\n",
     {{"a_1", "A"}, {"d-1", "<folder>x-1=X;"}}},
    {"one file under two spellings",
     {"%Fa-1", "%Fd-1/../a-1"},
     "%Fd-1/../a-1 は %Fa-1 と同じファイルで、それより前に名前が変わります\n",
     {{"a_1", "A"}, {"d-1", "<folder>x-1=X;"}}},
    {"a folder renamed before a PATH inside it",
     {"%Fd-1", "%Fd-1/x-1"},
     "%Fd-1/x-1: そのフォルダー %Fd-1 がそれより前に名前が変わります"
     "（フォルダーは中身の後に並べてください）\n",
     {{"a-1", "A"}, {"d_1", "<folder>x-1=X;"}}},
    {"the folder itself as a PATH of its own",
     {"%Fd-1/.", "%Fa-1"},
     "%Fd-1/. は名前を変えられません\n",
     {{"a_1", "A"}, {"d-1", "<folder>x-1=X;"}}},
};

void PrintTo(const ForeseenCase& c, std::ostream* os) {
    *os << c.comment;
}

class Foreseen : public ::testing::TestWithParam<ForeseenCase> {};

TEST_P(Foreseen, FailsTheDryRunAsTheRealRun) {
    const ForeseenCase& c = GetParam();
    TestFolder folder;
    ASSERT_TRUE(folder.writeFile("a-1", "A") && folder.makeFolder("d-1") &&
                folder.writeFile("d-1/x-1", "X"));
    const std::string separator(1, folder.path().back());
    Strings args{"-q", "-n", "-s", "-", "-r", "_"};
    for (const std::string& path : c.paths) {
        std::string native = withFolder(path, folder.path());
        for (std::size_t at = native.find('/', folder.path().size()); at != std::string::npos;
             at = native.find('/', at + 1))
            native.replace(at, 1, separator);
        args.push_back(native);
    }
    std::string told = withFolder(c.told, folder.path());
    for (std::size_t at = told.find('/', folder.path().size()); at != std::string::npos;
         at = told.find('/', at + 1))
        if (told.compare(0, folder.path().size(), folder.path()) == 0)
            told.replace(at, 1, separator);
    const FolderEntries before = folder.entries();
    const CliResult dry = runCli(args);
    EXPECT_EQ(dry.status, 1);
    EXPECT_EQ(dry.err, onTerminal(told));
    EXPECT_EQ(folder.entries(), before);
    args.erase(args.begin() + 1);
    const CliResult real = runCli(args);
    EXPECT_EQ(real.status, 1);
    EXPECT_EQ(real.err, onTerminal(told));
    EXPECT_EQ(folder.entries(), c.after);
}

INSTANTIATE_TEST_SUITE_P(Cases, Foreseen, ::testing::ValuesIn(foreseenCases));

// PATHs from standard input separated by NUL bytes come back in NUL-separated records, and a
// list file's lines as lines; names with tabs, line feeds (natively) and Shift-JIS bytes.
TEST(Scripts, PathsFromAFileOrStandardInputComeBackInRecords) {
    TestFolder folder;
#ifdef _WIN32
    const Strings names{"\x95\x5C"
                        "1.txt",
                        "plain.txt"};
#else
    const Strings names{"a\tb.txt", "c\nd.txt",
                        "\x95\x5C"
                        "1.txt",
                        "plain.txt"};
#endif
    std::string input;
    std::string records;
    for (const std::string& name : names) {
        ASSERT_TRUE(folder.writeFile(name, name));
        input += folder.pathOf(name) + '\0';
        records += folder.pathOf(name) + '\0' + name.substr(0, name.size() - 4) + ".dat" + '\0';
    }
    const RunSetting fromInput{
        .workingFolder = {}, .input = input, .locale = "ja_JP.UTF-8", .stateFolder = {}};
    CliResult nul =
        runCli({"--code-page=932", "--from-file=-", "--null", "-n", "-s", "\\.txt$", "-r", ".dat"},
               fromInput);
    EXPECT_EQ(nul.status, 0) << nul.err;
    EXPECT_EQ(nul.out, records);

    const std::string list = "list-of-paths";
    ASSERT_TRUE(
        folder.writeFile(list, folder.pathOf(names[0]) + "\n" + folder.pathOf("plain.txt") + "\n"));
    CliResult lines = runCli({"--code-page=932", "--from-file=" + folder.pathOf(list), "-q", "-s",
                              "\\.txt$", "-r", ".dat"});
    EXPECT_EQ(lines.status, 0) << lines.err;
    EXPECT_EQ(lines.out, "") << "-q prints nothing but errors";
#ifdef _WIN32
    EXPECT_EQ(folder.entries().count("\x95\x5C"
                                     "1.dat"),
              1u);
#else
    EXPECT_EQ(folder.entries().count("a\tb.dat"), 1u);
    CliResult escaped = runCli({"-n", "-s", "b", "-r", "\\\\", folder.pathOf("c\nd.txt")});
    EXPECT_EQ(escaped.out, "\\" + folder.path() + "c\\nd.txt\tc\\nd.txt\n")
        << "a line with a line feed is escaped; the name without a match keeps its backslash-"
           "free form";
#endif
    EXPECT_EQ(folder.entries().count("plain.dat"), 1u);
}

#ifndef _WIN32
// Natively messages follow the locale: English where it is not Japanese, never question marks
// on a terminal that cannot show Japanese.
TEST(Messages, FollowTheLocale) {
    TestFolder folder;
    ASSERT_TRUE(folder.writeFile("a.txt", "A"));
    for (const char* locale : {"C.UTF-8", "C"}) {
        CliResult result =
            runCli({"-s", "", folder.pathOf("a.txt")},
                   {.workingFolder = {}, .input = {}, .locale = locale, .stateFolder = {}});
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.err, "The Search text is not a pattern that can be used.\n") << locale;
    }
}

// Natively a name may hold what the platform allows; --windows-names refuses the window's nine.
TEST(Names, AsThePlatformAllowsThem) {
    TestFolder folder;
    ASSERT_TRUE(folder.writeFile("Q&A: why?.txt", "Q"));
    CliResult refused =
        runCli({"--windows-names", "-s", "why", "-r", "how", folder.pathOf("Q&A: why?.txt")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, folder.pathOf("Q&A: why?.txt") +
                               ": ファイル名に　\\ / :  * ? \\\" < > |　は使えません\n"
                               "kibrel-cli: 名前を変えた 0、失敗 1、そのまま 0\n");
    EXPECT_EQ(runCli({"-s", "why", "-r", "how", folder.pathOf("Q&A: why?.txt")}).status, 0);
    EXPECT_EQ(folder.entries(), (FolderEntries{{"Q&A: how?.txt", "Q"}}));
}

// A run killed in the middle of its renames leaves a true journal: --undo puts every file back
// under its old name.
TEST(Undo, TakesBackARunKilledMidway) {
    TestFolder folder;
    TestFolder state;
    constexpr int count = 20000;
    std::string input;
    for (int i = 0; i < count; ++i) {
        const std::string name = "f-" + std::to_string(i);
        ASSERT_TRUE(folder.writeFile(name, name));
        input += folder.pathOf(name) + '\n';
    }
    ASSERT_TRUE(state.writeFile("paths", input));
    const std::string program = builtCli();
    const std::string fromFile = "--from-file=" + state.pathOf("paths");
    const char* argv[] = {program.c_str(), "-q", "-s", "-", "-r", "_", fromFile.c_str(), nullptr};
    std::vector<std::string> env{"LC_ALL=C.UTF-8", "XDG_STATE_HOME=" + state.path()};
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    pid_t pid = 0;
    ASSERT_EQ(
        posix_spawn(&pid, program.c_str(), nullptr, nullptr, const_cast<char**>(argv), envp.data()),
        0);
    const std::string journal = state.pathOf("kibrel/last-run.journal");
    bool killedMidway = false;
    for (int waited = 0; waited < 60000; ++waited) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            pid = 0;
            break;
        }
        const std::string written = TestFolder::contents(journal);
        if (std::count(written.begin(), written.end(), '\n') > 200) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            killedMidway = true;
            break;
        }
        usleep(1000);
    }
    ASSERT_TRUE(killedMidway) << "the run ended before it could be killed";
    EXPECT_EQ(
        runCli({"--undo"},
               {.workingFolder = {}, .input = {}, .locale = "C.UTF-8", .stateFolder = state.path()})
            .status,
        0);
    const FolderEntries after = folder.entries();
    EXPECT_EQ(after.size(), static_cast<std::size_t>(count));
    for (const auto& [name, contents] : after)
        ASSERT_EQ(name, contents) << "every file back under its old name";
}

// Natively a name may hold control characters: in records and messages they are escaped, as
// are the carriage returns a list of PATHs written on Windows brings; -v tells each rename on
// standard error, and the closing line counts what was done. The root and a symbolic link to a
// folder are foreseen as the real run meets them.
TEST(Scripts, ControlCharactersReachNoTerminalAndLinksAndTheRootAreForeseen) {
    TestFolder folder;
    const std::string name = "e\r\x1B[31m-1";
    ASSERT_TRUE(folder.writeFile(name, "E") && folder.writeFile("list", name + "\r\n"));
    const RunSetting inFolder{
        .workingFolder = folder.path(), .input = {}, .locale = "C.UTF-8", .stateFolder = {}};
    CliResult fromList = runCli({"-n", "-s", "-", "-r", "_", "--from-file=list"}, inFolder);
    EXPECT_EQ(fromList.status, 1);
    EXPECT_EQ(fromList.out, "\\e\\r\\x1B[31m-1\\r\te\\r\\x1B[31m_1\\r\n");
    EXPECT_EQ(fromList.err, "e\\r\\x1B[31m-1\\r: no file or folder has this name\n");
    CliResult made = runCli({"-v", "-s", "-", "-r", "_", name}, inFolder);
    EXPECT_EQ(made.status, 0);
    EXPECT_EQ(made.out, "\\e\\r\\x1B[31m-1\te\\r\\x1B[31m_1\n");
    EXPECT_EQ(made.err, "renamed e\\r\\x1B[31m-1 -> e\\r\\x1B[31m_1\n"
                        "kibrel-cli: renamed 1, failed 0, unchanged 0\n");

    ASSERT_TRUE(folder.makeFolder("d-1") && folder.writeFile("d-1/x-1", "X"));
    ASSERT_EQ(symlink("d-1", folder.pathOf("link").c_str()), 0);
    CliResult twice = runCli({"-n", "-s", "-", "-r", "_", "d-1/x-1", "link/x-1", "/"}, inFolder);
    EXPECT_EQ(twice.status, 1);
    EXPECT_EQ(twice.err, "link/x-1 is the file d-1/x-1, which is renamed before it\n"
                         "/ cannot be renamed\n");
}

// When the new names cannot be written, nothing is renamed.
TEST(Scripts, AClosedOutputRenamesNothing) {
    TestFolder folder;
    ASSERT_TRUE(folder.writeFile("a-b.txt", "A"));
    CliResult result =
        runCli({"-s", "-", "-r", "_", folder.pathOf("a-b.txt")}, {.workingFolder = {},
                                                                  .input = {},
                                                                  .locale = "C.UTF-8",
                                                                  .stateFolder = {},
                                                                  .closedOutput = true});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, "kibrel-cli: the new names could not be written; nothing was renamed\n");
    EXPECT_EQ(folder.entries(), (FolderEntries{{"a-b.txt", "A"}}));
}

// A run started with its standard output closed never takes that number for its journal: the new
// names cannot be written, nothing is renamed, and the journal of the run before is still there
// to take back.
TEST(Scripts, AClosedStandardOutputIsNeverTheJournal) {
    TestFolder folder;
    TestFolder state;
    RunSetting setting{
        .workingFolder = {}, .input = {}, .locale = "C.UTF-8", .stateFolder = state.path()};
    ASSERT_TRUE(folder.writeFile("a-b.txt", "A") && folder.writeFile("Q1", "Q"));
    ASSERT_EQ(runCli({"-q", "-s", "-", "-r", "_", folder.pathOf("a-b.txt")}, setting).status, 0);
    setting.noOutput = true;
    CliResult closed = runCli({"-s", "Q", "-r", "q", folder.pathOf("Q1")}, setting);
    EXPECT_EQ(closed.status, 2);
    EXPECT_EQ(closed.err, "kibrel-cli: the new names could not be written; nothing was renamed\n");
    setting.noOutput = false;
    CliResult undone = runCli({"--undo"}, setting);
    EXPECT_EQ(undone.status, 0) << undone.err;
    EXPECT_EQ(folder.entries(), (FolderEntries{{"Q1", "Q"}, {"a-b.txt", "A"}}));
}
#endif

} // namespace
