#include "jre_session.h"

#include <gtest/gtest.h>

#include <ostream>

// Raw Shift-JIS bytes: あ 82 A0, い 82 A2, ん 82 F1, ア 83 41, 表 95 5C (trail byte "\"),
// ボ 83 7B (trail byte "{"), ポ 83 7C (trail byte "|"), 院 89 40.
namespace {

struct ShiftJisCase {
    const char* what;
    const char* pattern;
    const char* text;
    int startOffset;
    Found expected;
};

std::ostream& operator<<(std::ostream& out, const ShiftJisCase& c) {
    return out << c.what;
}

constexpr Found none{false, 0, 0};

class ShiftJis : public ::testing::TestWithParam<ShiftJisCase> {};

TEST_P(ShiftJis, TakesDoubleByteCharactersWhole) {
    JreSession jre("932");
    const ShiftJisCase& c = GetParam();
    ASSERT_NE(jre.compile(c.pattern), 0) << jre.message();
    EXPECT_EQ(jre.search(c.text, c.startOffset), c.expected);
}

const ShiftJisCase shiftJisCases[] = {
    {"trail byte 5C is no backslash in a pattern",
     "\x95\x5C",
     "a\x95\x5C"
     "b",
     0,
     {true, 1, 2}},
    {"a repetition repeats the whole character", "\x95\x5C+", "\x95\x5C\x95\x5C!", 0, {true, 0, 4}},
    {"trail byte 7B is no brace in a pattern", "\x83\x7B", "x\x83\x7B", 0, {true, 1, 2}},
    {"trail byte 7C is no bar in a pattern", "\x83\x7C", "x\x83\x7B\x83\x7C", 0, {true, 3, 2}},
    {"a backslash is not found in 表", "\\\\", "\x95\x5C", 0, none},
    {"a brace is not found in ボ", "{", "\x83\x7B", 0, none},
    {"a trail byte alone is not found in 表", "\\x5C", "\x95\x5C", 0, none},
    {"a lead byte alone is not found in 表", "\\x95", "\x95\x5C", 0, none},
    {"an escaped double-byte character is literal", "\\\x95\x5C", "\x95\x5C", 0, {true, 0, 2}},
    {". takes a whole character", ".", "\x82\xA0", 0, {true, 0, 2}},
    {"^.$ on one double-byte character", "^.$", "\x82\xA0", 0, {true, 0, 2}},
    {"[^x] takes a whole character", "[^x]", "\x82\xA0", 0, {true, 0, 2}},
    {"\\W takes a whole character", "\\W", "\x89\x40", 0, {true, 0, 2}},
    {"\\w takes no double-byte character", "\\w", "\x89\x40", 0, none},
    {"[あ-ん] is a range of values",
     "[\x82\xA0-\x82\xF1]+",
     "ab\x82\xA0\x82\xA2\x83\x41",
     0,
     {true, 2, 4}},
    {"[^あ-ん] skips the range",
     "[^\x82\xA0-\x82\xF1]",
     "\x82\xA0\x82\xA2\x83\x41",
     0,
     {true, 4, 2}},
    {"a double-byte member beside single bytes",
     "[a\x95\x5C]+",
     "x\x95\x5C"
     "a!",
     0,
     {true, 1, 3}},
    {"half-width katakana are single bytes", "[\xA1-\xDF]+", "a\xB1\xB2", 0, {true, 1, 2}},
    {"a lone lead byte at the end is a character", "\x95", "a\x95", 0, {true, 1, 1}},
    {". on a lone lead byte", ".$", "a\x95", 0, {true, 1, 1}},
    {"form feed between lead and trail bytes", "\f", "\x95\f\x5C", 0, {true, 1, 1}},
    {"the lead byte before a form feed stands alone", "\x95\f\\\\", "\x95\f\x5C", 0, {true, 0, 3}},
    {". before a form feed takes the lead byte only", ".", "\x95\f\x5C", 0, {true, 0, 1}},
    {"[^a]+ over a broken character", "[^a]+", "\x95\f\x5C", 0, {true, 0, 3}},
    {"a search never starts inside a character", ".", "\x82\xA0\x82\xA2", 1, {true, 2, 2}},
    {"a search from a character boundary", "\x82\xA2", "\x82\xA0\x82\xA2", 2, {true, 2, 2}},
};
INSTANTIATE_TEST_SUITE_P(CodePage932, ShiftJis, ::testing::ValuesIn(shiftJisCases));

TEST(ShiftJisPattern, LeadByteBeforeFormFeedCompiles) {
    JreSession jre("932");
    ASSERT_NE(jre.compile("\x95\f"), 0) << jre.message();
    EXPECT_EQ(jre.search("\x95\f"), (Found{true, 0, 2}));
    ASSERT_NE(jre.compile("a\x95"), 0) << jre.message();
    EXPECT_EQ(jre.search("xa\x95"), (Found{true, 1, 2}));
}

TEST(ShiftJisPattern, TrailByteFiveCAtTheEndIsNoTrailingBackslash) {
    JreSession jre("932");
    EXPECT_NE(jre.compile("a\x95\x5C"), 0) << jre.message();
}

TEST(ShiftJisPattern, DoubleByteRangeBoundsAreCheckedByValue) {
    JreSession jre("932");
    EXPECT_EQ(jre.compile("[\x82\xF1-\x82\xA0]"), 0);
    EXPECT_EQ(jre.message(), "reversed range at byte 1");
}

TEST(CodePageSetting, SingleByteCodePageTakesEveryByteAlone) {
    JreSession jre("1252");
    ASSERT_NE(jre.compile("."), 0);
    EXPECT_EQ(jre.search("\x82\xA0"), (Found{true, 0, 1}));
    ASSERT_NE(jre.compile("\\\\"), 0);
    EXPECT_EQ(jre.search("\x95\x5C"), (Found{true, 1, 1}));
}

TEST(CodePageSetting, IsFixedWhenTheRecordIsOpened) {
    JreSession jre("932");
    useCodePage("1252");
    ASSERT_NE(jre.compile("."), 0);
    EXPECT_EQ(jre.search("\x82\xA0"), (Found{true, 0, 2}));
}

} // namespace
