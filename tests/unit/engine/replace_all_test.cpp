#include "engine_fixture.h"

#include <string>

namespace {

struct ReplaceAllRow {
    const char* search;
    const char* replace;
    std::string name;
    std::string newName;
};

void PrintTo(const ReplaceAllRow& row, std::ostream* os) {
    *os << visible(row.search) << " / " << visible(row.name);
}

class ReplaceAllTest : public EngineTest, public ::testing::WithParamInterface<ReplaceAllRow> {};

TEST_P(ReplaceAllTest, ReplacesEveryMatchFromLeftToRight) {
    const ReplaceAllRow& row = GetParam();
    usePattern(row.search, row.replace);
    EXPECT_EQ(engine.replaceAllMatches(row.name).newName, row.newName);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(RegexHandle::handleCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ReplaceAllTest,
    ::testing::Values(
        ReplaceAllRow{"-", "_", "a-b-c.txt", "a_b_c.txt"},
        // Replaced by nothing: each step goes on at the cut, so the zeros go one by one.
        ReplaceAllRow{"0", "", "IMG0001.JPG", "IMG1.JPG"},
        // The start of each remainder is the start of a text of its own.
        ReplaceAllRow{"^a", "b", "aaa.txt", "bbb.txt"},
        // The match took the whole remainder and the replacement is empty: the name is refused.
        ReplaceAllRow{"ab", "", "abab", ""},
        // Nothing remains behind the replacement, so the loop ends.
        ReplaceAllRow{"abc", "", "x.abc", "x."},
        // A first match of length 0 counts as no match; no later match is looked for.
        ReplaceAllRow{"b*", "X", "abc", "abc"}, ReplaceAllRow{"z", "y", "abc.txt", "abc.txt"},
        // A whole remainder turned into the single LF counts as no match.
        ReplaceAllRow{"a", "\\n", "a", "a"},
        ReplaceAllRow{"{\\d}", "[\\1]", "a1b22", "a[1]b[2][2]"},
        // '表' is 95 5C: its trail byte is no backslash and no match of '\\'.
        ReplaceAllRow{"1", "2",
                      "\x95\x5C"
                      "1.txt",
                      "\x95\x5C"
                      "2.txt"},
        ReplaceAllRow{"{\x95\x5C}{\\d}", "\\2\\1",
                      "\x95\x5C"
                      "1\x95\x5C"
                      "2",
                      "1\x95\x5C"
                      "2\x95\x5C"}));

TEST_F(EngineTest, TheFirstWorkedExampleOfTheLoopTakesThreeSteps) {
    usePattern("-", "_");
    EXPECT_EQ(engine.replaceAllMatches("a-b-c.txt").newName, "a_b_c.txt");
    // Two replacements and the search that found nothing; no regions, so no alignment.
    EXPECT_EQ(engine.regexUses(), 3);
}

TEST_F(EngineTest, ARefusedStepGivesAnEmptyNameWithOneMessage) {
    usePattern("-", "?");
    EXPECT_EQ(engine.replaceAllMatches("a-b-c.txt").kind, RowName::Kind::refused);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, fixedText(SystemText::ForbiddenCharacter));
    // A later step refused: nothing of what the earlier steps put together is kept.
    messages.shown.clear();
    usePattern("{\\d}", "\\1\\1/");
    const RowName later = engine.replaceAllMatches("1-2");
    EXPECT_EQ(later.newName, "");
    EXPECT_EQ(later.kind, RowName::Kind::refused);
    EXPECT_EQ(messages.shown.size(), 1u);
}

// The Replace text is 表 (95 5C) and a lone lead byte 95. Each step's piece holds no backslash,
// but put together the lone 95 of one step takes the 95 of the next as its second byte, and the
// 5C behind it is a backslash that would move the file into another folder: that step is
// refused as the whole name now stands, and with it the whole row, since the name built before
// it is one nobody asked for.
TEST_F(EngineTest, StepsPutTogetherNeverHideABackslash) {
    usePattern("[ab]", "\x95\x5C\x95");
    EXPECT_EQ(engine.replaceAllMatches("ab").newName, "");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, fixedText(SystemText::ForbiddenCharacter));
}

} // namespace
