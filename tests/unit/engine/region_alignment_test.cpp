#include "engine_fixture.h"

#include <string>

namespace {

// Each row is worked out by hand from the alignment's steps. Notation: prepared positions as
// (open, close); B the bare pattern's length, L the match's; "|" stands for the AlignMark;
// a trial "j: text" is the marked text that the marked pattern must match from its first byte
// to its last.
struct AlignmentRow {
    const char* search;
    const char* replace;
    std::string name;
    std::string newName;
    int pos;
    int len;
    long uses;
};

void PrintTo(const AlignmentRow& row, std::ostream* os) {
    *os << visible(row.search) << " / " << visible(row.name);
}

class RegionAlignment : public EngineTest, public ::testing::WithParamInterface<AlignmentRow> {};

TEST_P(RegionAlignment, PlacesEveryRegionAsTheTrialsFindIt) {
    const AlignmentRow& row = GetParam();
    usePattern(row.search, row.replace);
    EXPECT_EQ(engine.computeNewName(row.name), row.newName);
    EXPECT_EQ(engine.lastMatchPos, row.pos);
    EXPECT_EQ(engine.lastMatchLen, row.len);
    EXPECT_EQ(engine.regexUses(), row.uses);
    EXPECT_TRUE(messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RegionAlignment,
    ::testing::Values(
        // Regions separated by literal text. Regions (0,7), (9,16); bare "[0-9]+x[0-9]+", B 13;
        // match "12x345" at 1, L 6. Region 0: gap 0, start 0; inner 6 < 13, R "[0-9]+|x[0-9]+";
        // 1: "1|2x345" no, 2: "12|x345" yes: end 2. Region 1: gap 9-7-1 = 1, P = the last
        // 13+2-7-1 = 7 bytes "x|[0-9]+", T0 "x345"; 1: "x|345" yes: start 3. inner 6 = the last
        // 13+2-9 = 6 bytes: it closes the pattern, end 6. \2 "345", \1 "12". Uses 1+2+1.
        AlignmentRow{"{\\d+}x{\\d+}", "[\\2-\\1]", "a12x345b", "a[345-12]b", 1, 8, 4},
        // Adjacent regions. Regions (0,6), (7,14); bare "[0-9][0-9]+", B 11; match "123" at 1,
        // L 3. Region 0: inner 5 < 11, R "[0-9]|[0-9]+"; 1: "1|23" yes: end 1. Region 1: gap
        // 7-6-1 = 0, start 1; inner 6 = the last 11+2-7 bytes: end 3. \2 "23", \1 "1". Uses 1+1.
        AlignmentRow{"{\\d}{\\d+}", "\\2\\1", "x123y", "x231y", 1, 3, 2},
        // A region behind pattern text that closes the pattern. Region (1,8); bare "v[0-9]+",
        // B 7; match "v12" at 0, L 3. Region 0: gap 1, P "v|[0-9]+"; 1: "v|12" yes: start 1;
        // inner 6 = the last 7-1 bytes: end 3. \1 "12". Uses 1+1.
        AlignmentRow{"v{\\d+}", "w\\1", "v12.v3", "w12.v3", 0, 3, 2},
        // Greedy patterns inside the regions, a literal between them. Regions (0,3), (6,9);
        // bare ".*\..*", B 6; match "a.b.c" at 0, L 5. Region 0: inner 2 < 6, R ".*|\..*";
        // 1: "a|.b.c" yes: end 1, the fewest bytes. Region 1: gap 6-3-1 = 2, P = the last
        // 6+2-3-1 = 4 bytes "\.|.*", T0 ".b.c"; 1: ".|b.c" yes: start 2; inner 2 = the last
        // 6+2-6 bytes: end 5. \1 "a", \2 "b.c". Uses 1+1+1.
        AlignmentRow{"{.*}\\.{.*}", "\\2_\\1", "a.b.c", "b.c_a", 0, 5, 3},
        // A greedy pattern between the regions. Regions (0,9), (12,18); bare
        // "[a-zA-Z].*[0-9]", B 15; match "ab12" at 0, L 4. Region 0: inner 8 < 15,
        // R "[a-zA-Z]|.*[0-9]"; 1: "a|b12" yes: end 1. Region 1: gap 12-9-1 = 2, P = the last
        // 15+2-9-1 = 7 bytes ".*|[0-9]", T0 "b12"; 1: "b|12" leaves "2" behind the digit, no;
        // 2: "b1|2" yes: start 1+2 = 3; inner 5 = the last 15+2-12 bytes: end 4. \2 "2".
        AlignmentRow{"{\\a}.*{\\d}", "[\\1][\\2]", "ab12", "[a][2]", 0, 6, 4},
        // An anchor in front of the region, which matched nothing: no offset from 1 on lets
        // "^|ab" match the whole text, so the region starts at 0. Region (1,3); bare "^ab",
        // B 3; match "ab" at 0, L 2. Region 0: gap 1, P "^|ab"; 1: "a|b" no, 2: "ab|" no:
        // start 0. inner 1 < the last 3-1 = 2 bytes, R "a|b", T0 "ab"; 1: "a|b" yes: end 1.
        // \1 "a". Uses 1+2+1.
        AlignmentRow{"^{a}b", "[\\1]", "ab", "[a]", 0, 3, 4},
        // A region in front of pattern text that can match inside a double-byte character.
        // Regions (0,2), (3,5); bare "..", B 2; match '表1' (0x95 0x5C 0x31) at 0, L 3. Region
        // 0: inner 1 < 2, R ".|."; offset 1 lies inside '表' and is not tried; 2: '表'|"1"
        // yes: end 2. Region 1: gap 0, start 2; inner 1 = the last 2+2-3 bytes: end 3.
        // \2 "1", \1 '表'. Uses 1+1.
        AlignmentRow{"{.}{.}", "\\2\\1",
                     "\x95\x5C"
                     "1",
                     "1\x95\x5C", 0, 3, 2},
        // Single characters in front of the mark, a bracket expression with "]" as its member
        // and an escape: only the trial behind as many characters can match, the mark then
        // meeting the text's one form feed. Regions (0,6), (8,10); bare "[]]\.-.", B 7; match
        // "].-z" at 1, L 4. Region 0: R "[]]\.|-.", two characters: 2: "].|-z" yes: end 2.
        // Region 1: gap 1, P "-|.", one character; T0 "-z"; 1: "-|z" yes: start 3; "." closes
        // the pattern: end 4. Uses 1+1+1.
        AlignmentRow{"{[]]\\.}-{.}", "\\2\\1", "a].-zb", "az].b", 1, 3, 3},
        // A repeated item in front of the mark: every offset is tried. Region (0,4); bare
        // "xa?.*"; match "xab" at 0. R "xa?|.*"; 1: "x|ab" yes, "a?" taking nothing: end 1.
        AlignmentRow{"{xa?}.*", "[\\1]", "xab", "[x]", 0, 3, 2},
        // A choice in the pattern: every offset is tried, since another alternative may match
        // the mark. Region (0,3); bare "abc|.*"; match "abc" at 0. R "ab|c|.*"; 1: "a|bc" yes,
        // by ".*": end 1.
        AlignmentRow{"{ab}c|.*", "[\\1]", "abc", "[a]", 0, 3, 2},
        // A name that holds a form feed itself, which the pattern's mark can match: every
        // offset is tried. Region (0,3); bare "..."; match "a\fb" at 0. R "..|."; 1: "a|\fb"
        // yes, the second "." taking the mark: end 1.
        AlignmentRow{"{..}.", "[\\1]", "a\fb", "[a]", 0, 3, 2}));

} // namespace
