#include "engine_fixture.h"

#include <string>

namespace {

const std::string LF(1, MarkerOpen);
const std::string CR(1, MarkerClose);

struct PreparationRow {
    const char* search;
    std::string prepared;
    int result;
    RegionList regions;
};

void PrintTo(const PreparationRow& row, std::ostream* os) {
    *os << visible(row.search);
}

class PatternPreparation : public EngineTest,
                           public ::testing::WithParamInterface<PreparationRow> {};

TEST_P(PatternPreparation, GivesThePreparedPatternAndItsRegions) {
    const PreparationRow& row = GetParam();
    engine.searchText = row.search;
    EXPECT_EQ(engine.preparePattern(), row.result);
    EXPECT_EQ(engine.searchText, row.prepared);
    if (row.result == 1) {
        EXPECT_EQ(engine.regionList, row.regions);
    }
    EXPECT_TRUE(messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Shortcuts, PatternPreparation,
    ::testing::Values(
        PreparationRow{"\\A", "[^a-zA-Z]", 1, {}}, PreparationRow{"\\D", "[^0-9]", 1, {}},
        PreparationRow{"\\H", "[^0-9a-fA-F]", 1, {}},
        PreparationRow{"\\N", "(([0-9]+.[0-9]*)|([0-9]*.[0-9]+)|([0-9]+))", 1, {}},
        PreparationRow{"\\W", "[^a-zA-Z0-9_]", 1, {}}, PreparationRow{"\\a", "[a-zA-Z]", 1, {}},
        PreparationRow{"\\d", "[0-9]", 1, {}}, PreparationRow{"\\h", "[0-9a-fA-F]", 1, {}},
        PreparationRow{"\\q", "((\"[^\"]*\")|('[^']*'))", 1, {}},
        PreparationRow{"\\w", "[a-zA-Z0-9_]", 1, {}},
        // An escaped brace is the only brace the library ever sees.
        PreparationRow{"\\{a\\}", "{a}", 1, {}}, PreparationRow{"\\d+", "[0-9]+", 1, {}},
        // The search goes on behind an expansion: both shortcuts are expanded.
        PreparationRow{"\\d\\a", "[0-9][a-zA-Z]", 1, {}},
        // Pairs that are no shortcut stay for the library.
        PreparationRow{"\\x", "\\x", 1, {}}, PreparationRow{"\\.\\(", "\\.\\(", 1, {}},
        // A backslash behind a backslash starts a pair of its own.
        PreparationRow{"\\\\d", "\\[0-9]", 1, {}}, PreparationRow{"\\\\", "\\\\", 1, {}},
        PreparationRow{"a\\", "a\\", 1, {}}));

INSTANTIATE_TEST_SUITE_P(
    Regions, PatternPreparation,
    ::testing::Values(
        PreparationRow{"{a}{b}", LF + "a" + CR + LF + "b" + CR, 1, {{0, 2}, {3, 5}}},
        PreparationRow{"{}", LF + CR, 1, {{0, 1}}},
        // Positions are those of the prepared pattern, behind the expansion.
        PreparationRow{
            "{\\d}x{\\a}", LF + "[0-9]" + CR + "x" + LF + "[a-zA-Z]" + CR, 1, {{0, 6}, {8, 17}}},
        // Braces become markers inside bracket expressions too.
        PreparationRow{"[{]", "[" + LF + "]", 0, {}}, PreparationRow{"{", LF, 0, {}},
        PreparationRow{"{a", LF + "a", 0, {}}, PreparationRow{"a}", "a" + CR, 0, {}},
        PreparationRow{"}{", CR + LF, 0, {}},
        PreparationRow{"{{a}}", LF + LF + "a" + CR + CR, 0, {}}, PreparationRow{"", "", 0, {}}));

INSTANTIATE_TEST_SUITE_P(
    DoubleByte, PatternPreparation,
    ::testing::Values(
        // 'ボ' and 'マ' end in the bytes of "{" and "}", '表' in that of the backslash.
        PreparationRow{"\x83\x7B", "\x83\x7B", 1, {}},
        PreparationRow{"\x83\x7D", "\x83\x7D", 1, {}},
        PreparationRow{"\x95\x5C"
                       "d",
                       "\x95\x5C"
                       "d",
                       1,
                       {}},
        PreparationRow{"\x83\x7B{a}\x83\x7D", "\x83\x7B" + LF + "a" + CR + "\x83\x7D", 1, {{2, 4}}},
        PreparationRow{"\x95\x5C{\\d}", "\x95\x5C" + LF + "[0-9]" + CR, 1, {{2, 8}}},
        // '日' ends in 0xFA, a byte of the lead-byte ranges: the marker behind it is passed
        // over, so the region's close has no open.
        PreparationRow{"\x93\xFA{x}", "\x93\xFA" + LF + "x" + CR, 0, {}},
        // Both markers passed over would pair up as no region at all and reach the library as
        // control characters; the pattern is refused instead.
        PreparationRow{"\x93\xFA{\x93\xFA}", "\x93\xFA" + LF + "\x93\xFA" + CR, 0, {}}));

TEST_F(EngineTest, ASingleByteCodePageTakesTheSecondByteOfBoForABrace) {
    TableCodePage western1252(westernCodePage);
    RenameEngine western(western1252, messages, matcher);
    western.searchText = "\x83{a\x83}";
    EXPECT_EQ(western.preparePattern(), 1);
    EXPECT_EQ(western.searchText, "\x83" + LF + "a\x83" + CR);
    EXPECT_EQ(western.regionList, (RegionList{{1, 4}}));
}

TEST_F(EngineTest, AnEmptySearchTextStaysAsItIs) {
    engine.regionList = {{0, 1}};
    EXPECT_EQ(engine.preparePattern(), 0);
    EXPECT_EQ(engine.searchText, "");
}

TEST_F(EngineTest, EveryBuildStartsFromAnEmptyRegionList) {
    engine.searchText = "{a}{b}";
    ASSERT_EQ(engine.preparePattern(), 1);
    engine.searchText = "x{c}";
    ASSERT_EQ(engine.preparePattern(), 1);
    EXPECT_EQ(engine.regionList, (RegionList{{1, 3}}));
}

struct MarkerRow {
    std::string text;
    char marker;
    int start;
    int found;
};

void PrintTo(const MarkerRow& row, std::ostream* os) {
    *os << visible(row.text) << " from " << row.start;
}

class MarkerSearch : public ::testing::TestWithParam<MarkerRow> {};

TEST_P(MarkerSearch, FindsTheMarkerOnACharacterBoundaryNotBehindALeadByte) {
    const MarkerRow& row = GetParam();
    TableCodePage cp(932);
    EXPECT_EQ(findMarker(row.text, row.marker, row.start, cp), row.found);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MarkerSearch,
    ::testing::Values(MarkerRow{LF + "a", MarkerOpen, 0, 0}, MarkerRow{"ab" + LF, MarkerOpen, 0, 2},
                      MarkerRow{"ab" + LF, MarkerOpen, 3, -1},
                      MarkerRow{"ab" + LF, MarkerOpen, 7, -1},
                      MarkerRow{"ab" + LF, MarkerOpen, -1, -1},
                      MarkerRow{"ab" + CR, MarkerOpen, 0, -1},
                      // Behind '日' (0x93 0xFA) the first marker is passed over, not the second.
                      MarkerRow{"\x93\xFA" + LF + "a" + LF, MarkerOpen, 0, 4},
                      MarkerRow{"\x93\xFA" + CR + CR, MarkerClose, 0, 3},
                      // Only the byte before counts, whatever it is part of: behind '―'
                      // (0x81 0x5C) the marker is found, behind '＝' (0x81 0x81), whose trail
                      // byte lies in the lead-byte ranges, it is passed over.
                      MarkerRow{"\x81\x5C" + LF, MarkerOpen, 0, 2},
                      MarkerRow{"\x81\x81" + LF, MarkerOpen, 0, -1}));

} // namespace
