#include "jre_session.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

struct RefusedCase {
    std::string pattern;
    const char* message;
};

std::ostream& operator<<(std::ostream& out, const RefusedCase& c) {
    return out << "/" << c.pattern << "/";
}

class RefusedPattern : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedPattern, IsRefusedWithItsMessage) {
    JreSession jre;
    ASSERT_NE(jre.opened(), 0);
    EXPECT_EQ(jre.compile(GetParam().pattern), 0);
    EXPECT_EQ(jre.message(), GetParam().message);
}

std::string nested(int depth) {
    return std::string(depth, '(') + "a" + std::string(depth, ')');
}

const RefusedCase refusedCases[] = {
    {"(", "unbalanced parenthesis at byte 0"},
    {"ab(c", "unbalanced parenthesis at byte 2"},
    {"((a)", "unbalanced parenthesis at byte 0"},
    {"a)b", "unbalanced parenthesis at byte 1"},
    {"(a))", "unbalanced parenthesis at byte 3"},
    {"*a", "nothing to repeat at byte 0"},
    {"a|*b", "nothing to repeat at byte 2"},
    {"(+a)", "nothing to repeat at byte 1"},
    {"??", "nothing to repeat at byte 0"},
    {"a**", "repetition after a repetition at byte 2"},
    {"a+*", "repetition after a repetition at byte 2"},
    {"a?+", "repetition after a repetition at byte 2"},
    {"a*??", "repetition after a repetition at byte 3"},
    {"a+?*", "repetition after a repetition at byte 3"},
    {"[abc", "unterminated bracket expression at byte 0"},
    {"x[^", "unterminated bracket expression at byte 1"},
    {"[]", "unterminated bracket expression at byte 0"}, // "]" first is a member
    {"[a-", "unterminated bracket expression at byte 0"},
    {"[z-a]", "reversed range at byte 1"},
    {"[ab9-0]", "reversed range at byte 3"},
    {"[\\x43-\\x41]", "reversed range at byte 1"},
    {"abc\\", "trailing backslash at byte 3"},
    {"[a\\", "trailing backslash at byte 2"},
    {"\\x4", "bad \\x escape at byte 0"},
    {"a\\xg0", "bad \\x escape at byte 1"},
    {"[\\x]", "bad \\x escape at byte 1"},
    {"a\\x00", "NUL character at byte 1"},
    {std::string(4097, 'a'), "pattern too long"},
    {nested(201), "parentheses nested too deeply at byte 200"},
};
INSTANTIATE_TEST_SUITE_P(Malformed, RefusedPattern, ::testing::ValuesIn(refusedCases));

TEST(PatternLimits, LongestAndDeepestPatternsAreAccepted) {
    JreSession jre;
    std::string longest(4096, 'a');
    ASSERT_NE(jre.compile(longest), 0) << jre.message();
    EXPECT_EQ(jre.search("b" + longest), (Found{true, 1, 4096}));
    ASSERT_NE(jre.compile(nested(200)), 0) << jre.message();
    EXPECT_EQ(jre.search("ba"), (Found{true, 1, 1}));
    // 4096 bytes of the costliest constructs still compile.
    std::string alternatives;
    while (alternatives.size() < 4096)
        alternatives += "|";
    ASSERT_NE(jre.compile(alternatives), 0) << jre.message();
    EXPECT_EQ(jre.search("x"), (Found{true, 0, 0}));
}

TEST(RefusedPattern, DiscardsThePatternCompiledBefore) {
    JreSession jre;
    ASSERT_NE(jre.compile("a"), 0);
    ASSERT_EQ(jre.search("a"), (Found{true, 0, 1}));
    EXPECT_EQ(jre.compile("(a"), 0);
    EXPECT_EQ(jre.search("a"), (Found{false, 0, 0}));
    EXPECT_EQ(jre.message(), "no pattern compiled");
}

TEST(RefusedPattern, NullPatternIsRefused) {
    JreSession jre;
    EXPECT_EQ(Jre2Compile(jre.record(), nullptr), 0);
    EXPECT_EQ(jre.message(), "no pattern given");
}

TEST(AcceptedPattern, EmptyPatternMatchesTheEmptyStringWhereTheSearchStarts) {
    JreSession jre;
    ASSERT_NE(jre.compile(""), 0);
    EXPECT_EQ(jre.search("abc", 2), (Found{true, 2, 0}));
}

TEST(AcceptedPattern, ResultsAreDescribed) {
    JreSession jre;
    EXPECT_EQ(jre.message(), "no error");
    ASSERT_NE(jre.compile("x"), 0);
    EXPECT_EQ(jre.message(), "no error");
    EXPECT_FALSE(jre.search("abc").found);
    EXPECT_EQ(jre.message(), "no match");
    EXPECT_TRUE(jre.search("axc").found);
    EXPECT_EQ(jre.message(), "no error");
}

} // namespace
