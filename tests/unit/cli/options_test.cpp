#include "code_page_choice.h"
#include "options.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Args = std::vector<std::string_view>;

struct AcceptedCase {
    const char* comment;
    Args args;
    std::string search;
    std::string replace;
    bool dryRun;
    unsigned codePage;
    Args paths;
    std::uint64_t start = 1;
};

const AcceptedCase acceptedCases[] = {
    {"short options, each with its own value",
     {"-s", "-", "-r", "_", "a-b.txt"},
     "-",
     "_",
     false,
     0,
     {"a-b.txt"}},
    {"long options with =",
     {"--search=x", "--replace=y", "--dry-run", "p"},
     "x",
     "y",
     true,
     0,
     {"p"}},
    {"long options with the value behind",
     {"--search", "x", "--replace", "", "p"},
     "x",
     "",
     false,
     0,
     {"p"}},
    {"a value glued to its short option",
     {"-s{\\d}", "-r\\1", "p"},
     "{\\d}",
     "\\1",
     false,
     0,
     {"p"}},
    {"grouped short options end with one that takes a value",
     {"-nsx", "p"},
     "x",
     "",
     true,
     0,
     {"p"}},
    {"the value of -s is the next argument whatever it looks like",
     {"-s", "--", "p"},
     "--",
     "",
     false,
     0,
     {"p"}},
    {"an empty Search text is given; the pass refuses it",
     {"-s", "", "p"},
     "",
     "",
     false,
     0,
     {"p"}},
    {"options after the paths", {"p", "q", "-s", "x", "-n"}, "x", "", true, 0, {"p", "q"}},
    {"-- ends the options", {"-s", "x", "--", "-n", "--help"}, "x", "", false, 0, {"-n", "--help"}},
    {"a lone hyphen is a path", {"-s", "x", "-"}, "x", "", false, 0, {"-"}},
    {"the last of a repeated option counts", {"-s", "a", "-s", "b", "p"}, "b", "", false, 0, {"p"}},
    {"a long option shortened to a prefix",
     {"--sea=x", "--dry", "--code=932", "p"},
     "x",
     "",
     true,
     shiftJisCodePage,
     {"p"}},
    {"code page 1252",
     {"-s", "x", "--code-page", "1252", "p"},
     "x",
     "",
     false,
     westernCodePage,
     {"p"}},
    {"utf-8 in capitals",
     {"-s", "x", "--code-page=UTF-8", "p"},
     "x",
     "",
     false,
     utf8CodePage,
     {"p"}},
    {"the first number", {"-s", "x", "--start=101", "p"}, "x", "", false, 0, {"p"}, 101},
    {"the first number 0, and the largest",
     {"-s", "x", "--start", "0", "--st=999999999999999999", "p"},
     "x",
     "",
     false,
     0,
     {"p"},
     999999999999999999u},
    {"paths keep their order and their bytes",
     {"-s", "x", "b", "a\x95\x5C", "c d"},
     "x",
     "",
     false,
     0,
     {"b", "a\x95\x5C", "c d"}},
};

class AcceptedCommandLine : public ::testing::TestWithParam<AcceptedCase> {};

TEST_P(AcceptedCommandLine, GivesTheOptionsAndPathsInOrder) {
    const AcceptedCase& c = GetParam();
    CommandLine line = parseCommandLine(c.args);
    ASSERT_EQ(line.request, Request::run) << c.comment << ": " << line.error.english;
    EXPECT_EQ(line.options.search, c.search) << c.comment;
    EXPECT_EQ(line.options.replace, c.replace) << c.comment;
    EXPECT_EQ(line.options.dryRun, c.dryRun) << c.comment;
    EXPECT_EQ(line.options.codePage, c.codePage) << c.comment;
    EXPECT_EQ(line.options.paths, c.paths) << c.comment;
    EXPECT_EQ(line.options.start, c.start) << c.comment;
}

INSTANTIATE_TEST_SUITE_P(Cases, AcceptedCommandLine, ::testing::ValuesIn(acceptedCases));

struct RefusedCase {
    Args args;
    const char* error;
};

const RefusedCase refusedCases[] = {
    {{"p"}, "the Search text is missing: give it with -s TEXT"},
    {{"-r", "x", "p"}, "the Search text is missing: give it with -s TEXT"},
    {{"-s", "x"}, "no PATH given: name the files and folders to rename, or --from-file"},
    {{"--undo", "-s", "x"}, "--undo takes back the last run: give it no Search text and no PATH"},
    {{"--undo", "p"}, "--undo takes back the last run: give it no Search text and no PATH"},
    {{"-s", "x", "--from-file="}, "--from-file needs a FILE, or - for standard input"},
    {{}, "the Search text is missing: give it with -s TEXT"},
    {{"-s", "x", "--bogus", "p"}, "unrecognized option '--bogus'"},
    {{"-s", "x", "-z", "p"}, "invalid option -- 'z'"},
    {{"-nz", "-s", "x", "p"}, "invalid option -- 'z'"},
    {{"p", "-s"}, "option requires an argument -- 's'"},
    {{"p", "-s", "x", "-r"}, "option requires an argument -- 'r'"},
    {{"p", "--search"}, "option '--search' requires an argument"},
    {{"p", "-s", "x", "--code-page"}, "option '--code-page' requires an argument"},
    {{"p", "-s", "x", "--dry-run=yes"}, "option '--dry-run' doesn't allow an argument"},
    {{"p", "-s", "x", "--help=1"}, "option '--help' doesn't allow an argument"},
    {{"p", "-s", "x", "--code-page=936"}, "invalid code page '936': use 932, utf-8 or 1252"},
    {{"p", "-s", "x", "--code-page="}, "invalid code page '': use 932, utf-8 or 1252"},
    {{"p", "-s", "x", "--=x"}, "option '--' is ambiguous"},
    {{"p", "-s", "x", "--start=-1"},
     "invalid first number '-1': --start takes a whole number from 0 to 999999999999999999"},
    {{"p", "-s", "x", "--start="},
     "invalid first number '': --start takes a whole number from 0 to 999999999999999999"},
    {{"p", "-s", "x", "--start=7a"},
     "invalid first number '7a': --start takes a whole number from 0 to 999999999999999999"},
    {{"p", "-s", "x", "--start=1000000000000000000"},
     "invalid first number '1000000000000000000': --start takes a whole number from 0 to "
     "999999999999999999"},
    {{"p", "-s", "x", "--s=1"}, "option '--s' is ambiguous"},
};

class RefusedCommandLine : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedCommandLine, IsAUsageErrorThatSaysWhy) {
    const RefusedCase& c = GetParam();
    CommandLine line = parseCommandLine(c.args);
    EXPECT_EQ(line.request, Request::usageError);
    EXPECT_EQ(filledIn(line.error.english, line.error.values), c.error);
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedCommandLine, ::testing::ValuesIn(refusedCases));

TEST(CommandLineRequest, HelpAndVersionAnswerWhereverTheyStand) {
    EXPECT_EQ(parseCommandLine({"--help"}).request, Request::help);
    EXPECT_EQ(parseCommandLine({"-h"}).request, Request::help);
    EXPECT_EQ(parseCommandLine({"p", "-s", "x", "-V"}).request, Request::version);
    EXPECT_EQ(parseCommandLine({"--version", "--bogus"}).request, Request::version);
    EXPECT_EQ(parseCommandLine({"-nh"}).request, Request::help);
}

// The options of scripts and of the undo: each is read, whatever its place.
TEST(CommandLineRequest, ScriptOptionsAndTheUndoAreRead) {
    CommandLine line =
        parseCommandLine({"-s", "x", "--from-file=-", "-0", "-q", "--order", "--windows-names"});
    ASSERT_EQ(line.request, Request::run) << line.error.english;
    EXPECT_EQ(line.options.fromFile, "-");
    EXPECT_TRUE(line.options.nullSeparated);
    EXPECT_EQ(line.options.verbosity, Verbosity::quiet);
    EXPECT_TRUE(line.options.order);
    EXPECT_TRUE(line.options.windowsNames);
    EXPECT_EQ(parseCommandLine({"-s", "x", "-v", "p"}).options.verbosity, Verbosity::verbose);
    line = parseCommandLine({"--undo", "-n"});
    EXPECT_EQ(line.request, Request::undo);
    EXPECT_TRUE(line.options.dryRun);
}

TEST(CommandLineRequest, TheFirstOfAnErrorAndAHelpRequestWins) {
    EXPECT_EQ(parseCommandLine({"--bogus", "--help"}).request, Request::usageError);
    // "--ver" would name --verbose too.
    EXPECT_EQ(parseCommandLine({"--vers"}).request, Request::version);
    EXPECT_EQ(parseCommandLine({"--ver"}).request, Request::usageError);
}

} // namespace
