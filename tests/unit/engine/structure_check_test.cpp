#include "engine_fixture.h"

namespace {

struct StructureRow {
    const char* search;
    int result;
};

void PrintTo(const StructureRow& row, std::ostream* os) {
    *os << visible(row.search);
}

class StructureCheck : public EngineTest, public ::testing::WithParamInterface<StructureRow> {};

TEST_P(StructureCheck, TellsWhetherParenthesesAndRegionsFitTogether) {
    engine.searchText = GetParam().search;
    ASSERT_EQ(engine.preparePattern(), 1);
    EXPECT_EQ(engine.checkPatternStructure(), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(RegionInsideParentheses, StructureCheck,
                         ::testing::Values(StructureRow{"({b})", 0}, StructureRow{"(x({b}))", 0},
                                           // Escaped parentheses count like all others.
                                           StructureRow{"\\(a{b}\\)", 0},
                                           // The second group holds the region.
                                           StructureRow{"(a){b}({c})", 0}));

INSTANTIATE_TEST_SUITE_P(
    Usable, StructureCheck,
    ::testing::Values(StructureRow{"(a){b}", 1}, StructureRow{"{b}(a)", 1},
                      StructureRow{"{(a|b)}", 1},
                      // The parentheses of the expansion of \N count.
                      StructureRow{"{\\N}", 1}, StructureRow{"\\N{b}", 1},
                      StructureRow{"((a)){b}", 1}, StructureRow{"{a}(b)(c){d}", 1},
                      // Without regions only the pairing of the whole pattern is looked at.
                      StructureRow{"(a)", 1}, StructureRow{"(a))(", 1}, StructureRow{"abc", 1}));

INSTANTIATE_TEST_SUITE_P(
    NotPairingUp, StructureCheck,
    ::testing::Values(StructureRow{"(a{b}", -1}, StructureRow{"a)({b}", -1},
                      StructureRow{")a{b}", -1}, StructureRow{"(a", -1},
                      // The first group never closes.
                      StructureRow{"((a){b}", -1},
                      // Behind the first group one "(" is left without its ")".
                      StructureRow{"(a){b}(", -1}));

TEST_F(EngineTest, AClosingMarkerBeforeTheFirstOpeningOneDoesNotPairUp) {
    engine.searchText = std::string(1, MarkerClose) + "(a)" + std::string(1, MarkerOpen);
    EXPECT_EQ(engine.checkPatternStructure(), -1);
    engine.searchText = "(a)" + std::string(1, MarkerOpen);
    EXPECT_EQ(engine.checkPatternStructure(), -1);
}

TEST_F(EngineTest, APatternThatPassesShowsNothing) {
    engine.searchText = "{a}(b)";
    EXPECT_TRUE(engine.preparePatternForPass());
    EXPECT_TRUE(messages.shown.empty());
}

struct RefusalRow {
    const char* search;
    SystemText text;
    unsigned type;
    bool withHelp;
    unsigned helpId;
};

void PrintTo(const RefusalRow& row, std::ostream* os) {
    *os << visible(row.search);
}

class PassRefusal : public EngineTest, public ::testing::WithParamInterface<RefusalRow> {};

TEST_P(PassRefusal, ShowsItsOneMessageAndStopsThePass) {
    const RefusalRow& row = GetParam();
    engine.searchText = row.search;
    EXPECT_FALSE(engine.preparePatternForPass());
    ASSERT_EQ(messages.shown.size(), 1u);
    const ShownMessage& m = messages.shown[0];
    EXPECT_EQ(m.text, fixedText(row.text));
    EXPECT_EQ(m.type, row.type);
    EXPECT_EQ(m.caption, "");
    EXPECT_EQ(m.withHelp, row.withHelp);
    EXPECT_EQ(m.helpId, row.helpId);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PassRefusal,
    ::testing::Values(
        // Message 10: a plain box, type 0, no icon.
        RefusalRow{"", SystemText::BadPattern, 0x0, false, 0},
        RefusalRow{"{a", SystemText::BadPattern, 0x0, false, 0},
        RefusalRow{"(a{b}", SystemText::BadPattern, 0x0, false, 0},
        // Message 12: the application's box with the information icon and Help, help id 1050.
        RefusalRow{"({b})", SystemText::RegionInGroup, 0x4040, true, 1050}));

} // namespace
