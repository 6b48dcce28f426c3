#include "engine_fixture.h"
#include "replace_expansion.h"
#include "replace_reference.h"

#include <cstdint>
#include <string>

namespace {

const std::string LF(1, MarkerOpen);
const std::string CR(1, MarkerClose);

TEST_F(EngineTest, TheFirstWorkedExampleSwapsTheYearAndTheDate) {
    usePattern("{\\d\\d\\d\\d}_{\\d\\d\\d\\d}", "\\2-\\1");
    const std::string digits = "[0-9][0-9][0-9][0-9]";
    EXPECT_EQ(engine.searchText, LF + digits + CR + "_" + LF + digits + CR);
    EXPECT_EQ(engine.searchText.size(), 45u);
    EXPECT_EQ(engine.regionList, (RegionList{{0, 21}, {23, 44}}));
    EXPECT_EQ(engine.checkPatternStructure(), 1);

    EXPECT_EQ(engine.computeNewName("photo_2001_0903.jpg"), "photo_0903-2001.jpg");
    EXPECT_EQ(engine.lastMatchPos, 6);
    EXPECT_EQ(engine.lastMatchLen, 9);
    // The first match, the end of region 0 at trials 1 to 4, the start of region 1 at trial 1;
    // region 1 closes the pattern and needs none.
    EXPECT_EQ(engine.regexUses(), 6);
    EXPECT_EQ(RegexHandle::handleCount(), 0);
    EXPECT_FALSE(RegexHandle::libraryLoaded());

    // What the pass does next: keep 6 + 9 bytes, go on with the rest.
    EXPECT_EQ(engine.computeNewName(".jpg"), NoMatchResult);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(EngineTest, TheFirstWorkedExampleFindsBothRegions) {
    usePattern("{\\d\\d\\d\\d}_{\\d\\d\\d\\d}", "[\\0][\\1][\\2]");
    EXPECT_EQ(engine.computeNewName("photo_2001_0903.jpg"), "photo_[2001_0903][2001][0903].jpg");
    EXPECT_EQ(engine.lastMatchPos, 6);
    EXPECT_EQ(engine.lastMatchLen, 23);
}

TEST_F(EngineTest, TheSecondWorkedExampleGivesTheRegionTheFewestBytes) {
    usePattern("{a+}a*", "[\\1]");
    EXPECT_EQ(engine.computeNewName("aaa"), "[a]");
    EXPECT_EQ(engine.lastMatchPos, 0);
    EXPECT_EQ(engine.lastMatchLen, 3);
    // The first match and one end trial, at offset 1.
    EXPECT_EQ(engine.regexUses(), 2);
}

struct NameRow {
    const char* search;
    const char* replace;
    std::string name;
    std::string newName;
    int pos;
    int len;
};

void PrintTo(const NameRow& row, std::ostream* os) {
    *os << visible(row.search) << " / " << visible(row.name);
}

class NewName : public EngineTest, public ::testing::WithParamInterface<NameRow> {};

TEST_P(NewName, ReplacesTheFirstMatchByTheExpandedReplaceText) {
    const NameRow& row = GetParam();
    usePattern(row.search, row.replace);
    EXPECT_EQ(engine.computeNewName(row.name), row.newName);
    EXPECT_EQ(engine.lastMatchPos, row.pos);
    EXPECT_EQ(engine.lastMatchLen, row.len);
    EXPECT_TRUE(messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, NewName,
    ::testing::Values(
        // Without braces there is only \0; \1 to \9 insert nothing.
        NameRow{"\\d+", "n\\1\\9", "a12b", "anb", 1, 1},
        // An empty Replace text deletes the match; the length put in is 0.
        NameRow{"\\d+", "", "a12b", "ab", 1, 0},
        // The escapes put control characters in, which names may hold.
        NameRow{"a", "\\n\\t\\b\\f\\r\\v", "xay", "x\n\t\b\f\r\vy", 1, 6},
        // There is no region 3: \3 is deleted.
        NameRow{"{a}{b}", "\\1\\2\\3", "xaby", "xaby", 1, 2},
        // The empty region inserts nothing, and the \0 right behind it is still expanded.
        NameRow{"a{}b", "(\\1\\0)", "ab", "(ab)", 0, 4},
        // The whole name replaced by nothing: the empty result.
        NameRow{"\\a+", "", "abc", "", 0, 0},
        // Only the first match is replaced.
        NameRow{"\\d", "#", "1a2", "#a2", 0, 1}));

INSTANTIATE_TEST_SUITE_P(
    DoubleByte, NewName,
    ::testing::Values(
        // '表1' (0x95 0x5C 0x31) goes in unchanged: its 0x5C is no escape and no backslash.
        NameRow{"{.\\d}", "x\\1",
                "\x95\x5C"
                "1.txt",
                "x\x95\x5C"
                "1.txt",
                0, 4},
        // The search for escapes goes on behind the inserted text, so its last byte 0x5C does
        // not make an escape with the "n" that follows.
        NameRow{"{.}", "\\1n", "\x95\x5C", "\x95\x5Cn", 0, 3},
        // 'ポ' (0x83 0x7C) ends in the byte of the bar, which is no forbidden character here.
        NameRow{"x", "\x83\x7C", "axb",
                "a\x83\x7C"
                "b",
                1, 2}));

struct RefusalRow {
    const char* replace;
};

void PrintTo(const RefusalRow& row, std::ostream* os) {
    *os << visible(row.replace);
}

class ForbiddenName : public EngineTest, public ::testing::WithParamInterface<RefusalRow> {};

TEST_P(ForbiddenName, ShowsMessageElevenAndGivesTheEmptyString) {
    usePattern("b", GetParam().replace);
    EXPECT_EQ(engine.computeNewName("abc"), "");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, fixedText(SystemText::ForbiddenCharacter));
    EXPECT_EQ(messages.shown[0].type, 0u);
    EXPECT_EQ(messages.shown[0].caption, "");
    EXPECT_FALSE(messages.shown[0].withHelp);
}

INSTANTIATE_TEST_SUITE_P(Rows, ForbiddenName,
                         ::testing::Values(RefusalRow{"\\\\"}, RefusalRow{"x\\"}, RefusalRow{"\\x"},
                                           RefusalRow{"/"}, RefusalRow{":"}, RefusalRow{"*"},
                                           RefusalRow{"?"}, RefusalRow{"\""}, RefusalRow{"<"},
                                           RefusalRow{">"}, RefusalRow{"|"}));

struct ExpansionRow {
    const char* replace;
    std::vector<std::string> captures;
    std::string expanded;
    std::uint64_t number = 1;
};

void PrintTo(const ExpansionRow& row, std::ostream* os) {
    *os << visible(row.replace);
}

class ReplaceExpansion : public ::testing::TestWithParam<ExpansionRow> {};

TEST_P(ReplaceExpansion, ExpandsTheReplaceTextButNeverWhatItInserts) {
    TableCodePage cp(932);
    const std::vector<std::string_view> captures(GetParam().captures.begin(),
                                                 GetParam().captures.end());
    EXPECT_EQ(expandReplacement(GetParam().replace, captures, cp, GetParam().number),
              GetParam().expanded);
}

// An expansion that grows longer than it may stops there, at the piece that made it so.
TEST(ReplaceExpansion, StopsOnceTheResultIsLongerThanAllowed) {
    TableCodePage cp(932);
    const std::vector<std::string_view> captures{"ab"};
    EXPECT_EQ(expandReplacement("x\\0\\0\\0tail", captures, cp, 1, 4), "xabab");
    EXPECT_EQ(expandReplacement("x\\0\\0\\0tail", captures, cp, 1, 7), "xabababtail");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReplaceExpansion,
    ::testing::Values(
        // A backslash that a back reference brings in is no escape.
        ExpansionRow{"\\1\\1", {"m", "x\\n"}, "x\\nx\\n"},
        // An escaped backslash is followed by a plain "1".
        ExpansionRow{"\\\\1", {"m", "r"}, "\\1"}, ExpansionRow{"\\2<", {"m", "r"}, "<"},
        ExpansionRow{"\\0\\", {"m"}, "m\\"}, ExpansionRow{"\\q\\", {"m"}, "\\q\\"},
        // '表' before "n": its second byte is no backslash.
        ExpansionRow{"\x95\x5Cn\\0", {"m"}, "\x95\x5Cnm"},
        ExpansionRow{"\\#|\\###|\\#\\E#", {"m"}, "7|007|7#", 7},
        ExpansionRow{"\\##", {"m"}, "18446744073709551615", 18446744073709551615u},
        // \U and \L take each other's place; \l outweighs \U for one character.
        ExpansionRow{"\\Ua\\Lb\\U\\lCD\\Ee", {"m"}, "AbcDe"},
        // A backslash brought in under \U stays no escape.
        ExpansionRow{"\\U\\1", {"m", "x\\n"}, "X\\N"},
        // \u waits for the next character inserted, behind an empty region.
        ExpansionRow{"\\u\\1\\2x", {"m", "", "y"}, "Yx"},
        ExpansionRow{"\\u\\1\\1x", {"m", ""}, "X"},
        // A digit or an escape takes \u as a character without case.
        ExpansionRow{"\\u\\#a\\u\\tb", {"m"}, "1a\tb"},
        // ア keeps its second byte A in lower case.
        ExpansionRow{"\\L\\1",
                     {"m", "\x83\x41"
                           "B"},
                     "\x83\x41"
                     "b"}));

// Every Replace text of up to four pieces expands as the plain reference does, under every
// code page, with captures holding letters, 表 and a backslash. The pieces are the escapes, a
// lone backslash and the letters that could follow it, and double-byte characters (表 ends in
// 5C, ア in A, Ａ is a letter).
TEST(ReplaceExpansionDifferential, EveryShortReplaceTextExpandsAsTheReferenceDoes) {
    const std::vector<std::string_view> pieces = {
        "\\",  "\\U", "\\L", "\\E", "\\u", "\\l",      "\\#",      "#",       "\\1",
        "\\2", "U",   "a",   "B",   "\\n", "\x95\x5C", "\x82\x60", "\x83\x41"};
    const std::vector<std::string_view> captures = {"aB\x83\x41",
                                                    "\x95\x5C"
                                                    "a\\n",
                                                    ""};
    for (unsigned number : {932u, 65001u, 1252u}) {
        const TableCodePage cp(number);
        int differences = 0;
        std::vector<std::size_t> at;
        while (at.size() <= 4) {
            std::string replace;
            for (std::size_t i : at)
                replace += pieces[i];
            const std::string expected = referenceExpansion(replace, captures, cp, 42);
            if (expandReplacement(replace, captures, cp, 42) != expected && ++differences <= 5)
                ADD_FAILURE() << "code page " << number << ": " << visible(replace) << " gives "
                              << visible(expandReplacement(replace, captures, cp, 42)) << ", not "
                              << visible(expected);
            // The next sequence of pieces, the shorter ones first.
            std::size_t k = 0;
            while (k < at.size() && ++at[k] == pieces.size())
                at[k++] = 0;
            if (k == at.size())
                at.push_back(0);
        }
        EXPECT_EQ(differences, 0) << "code page " << number;
    }
}

TEST_F(EngineTest, ABackslashInTheNameItselfIsRefusedEvenThroughABackReference) {
    // Names from a platform that allows backslashes: the capture is not expanded again, so
    // its backslash stays and makes the new name forbidden.
    usePattern("{.*}", "\\1");
    EXPECT_EQ(engine.computeNewName("a\\nb"), "");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, fixedText(SystemText::ForbiddenCharacter));
}

TEST_F(EngineTest, APatternThatMatchesOnlyEmptyTextReplacesNothing) {
    usePattern("x*", "y");
    EXPECT_EQ(engine.computeNewName("abc"), NoMatchResult);
    EXPECT_EQ(engine.regexUses(), 1);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(EngineTest, ARegionListThatDoesNotFitThePatternReplacesNothing) {
    usePattern("{a}", "b");
    engine.searchText = "a";
    EXPECT_EQ(engine.computeNewName("a"), NoMatchResult);
    EXPECT_EQ(engine.regexUses(), 0);
}

} // namespace
