#include "engine_fixture.h"

#include <string>

namespace {

TEST_F(EngineTest, OneMatchGivesItsPositionAndLengthAndUnloadsTheLibrary) {
    EXPECT_EQ(engine.runMatch("photo_2001.jpg", "[0-9]+"), 1);
    EXPECT_EQ(engine.lastMatchPos, 6);
    EXPECT_EQ(engine.lastMatchLen, 4);
    EXPECT_EQ(engine.regexUses(), 1);
    EXPECT_EQ(RegexHandle::handleCount(), 0);
    EXPECT_FALSE(RegexHandle::libraryLoaded());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(EngineTest, AMatchOfNothingStillSucceedsWithLengthZero) {
    engine.lastMatchLen = 5;
    EXPECT_EQ(engine.runMatch("abc", "x"), 1);
    EXPECT_EQ(engine.lastMatchLen, 0);
    // An empty text is never handed to the library: the length stays at the 0 of the open.
    engine.lastMatchLen = 5;
    EXPECT_EQ(engine.runMatch("", "x"), 1);
    EXPECT_EQ(engine.lastMatchLen, 0);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(EngineTest, TheAlignMarkIsAnOrdinaryCharacterOfPatternAndText) {
    const std::string mark(1, AlignMark);
    EXPECT_EQ(engine.runMatch("12" + mark + "_3", "[0-9]+" + mark + "_"), 1);
    EXPECT_EQ(engine.lastMatchPos, 0);
    EXPECT_EQ(engine.lastMatchLen, 4);
}

TEST_F(EngineTest, AMissingLibraryShowsItsMessageAndGivesNoMatch) {
    RegexHandle::setLibraryName("/no/such/lib.so");
    EXPECT_EQ(engine.runMatch("abc", "b"), 0);
    engine.searchText = "b";
    ASSERT_EQ(engine.preparePattern(), 1);
    EXPECT_EQ(engine.computeNewName("abc"), NoMatchResult);
    ASSERT_EQ(messages.shown.size(), 2u);
    for (const ShownMessage& m : messages.shown) {
        EXPECT_EQ(m.text, fixedText(SystemText::LibraryUnusable));
        EXPECT_EQ(m.type, 0u);
        EXPECT_EQ(m.caption, "");
        EXPECT_FALSE(m.withHelp);
    }
    EXPECT_EQ(RegexHandle::handleCount(), 0);
}

struct RefusedRow {
    const char* search;
    const char* name;
    long uses;
};

void PrintTo(const RefusedRow& row, std::ostream* os) {
    *os << visible(row.search);
}

class RefusedPattern : public EngineTest, public ::testing::WithParamInterface<RefusedRow> {};

TEST_P(RefusedPattern, ShowsTheSecondTextOnceAndGivesNoMatch) {
    engine.searchText = GetParam().search;
    engine.replaceText = "x";
    ASSERT_EQ(engine.preparePattern(), 1);
    EXPECT_EQ(engine.computeNewName(GetParam().name), NoMatchResult);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, fixedText(SystemText::PatternRefused));
    EXPECT_EQ(messages.shown[0].type, 0u);
    EXPECT_FALSE(messages.shown[0].withHelp);
    EXPECT_EQ(engine.regexUses(), GetParam().uses);
    EXPECT_EQ(RegexHandle::handleCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RefusedPattern,
    ::testing::Values(
        // The bare pattern is empty: refused before the library sees it.
        RefusedRow{"{}", "abc", 1},
        // An unterminated bracket expression.
        RefusedRow{"[a", "abc", 1},
        // The first match of "a*b" is "aab"; "a", mark, "*b" matches none of the three marked
        // texts whole, so region 0 ends where it starts; region 1 follows at once and its end
        // trial hands the library "*", mark, "b", a repetition of nothing.
        RefusedRow{"{a}{*}b", "aab", 5}));

} // namespace
