#include "jre_session.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct DialectCase {
    const char* pattern;
    const char* text;
    Found expected;
};

std::ostream& operator<<(std::ostream& out, const DialectCase& c) {
    return out << "/" << c.pattern << "/ on \"" << c.text << "\"";
}

constexpr Found none{false, 0, 0};

class Dialect : public ::testing::TestWithParam<DialectCase> {};

TEST_P(Dialect, FindsTheLeftmostFirstMatch) {
    JreSession jre;
    const DialectCase& c = GetParam();
    ASSERT_NE(jre.compile(c.pattern), 0) << jre.message();
    EXPECT_EQ(jre.search(c.text), c.expected);
}

const DialectCase literalCases[] = {
    {"abc", "xxabcxx", {true, 2, 3}},
    {"abc", "abxabd", none},
    {"ABC", "abc", none}, // case-sensitive
    {"{a}", "x{a}", {true, 1, 3}},
    {"a{2}", "aa a{2}", {true, 3, 4}}, // no counted repetition
    {"}{", "}{", {true, 0, 2}},
    {"\f", "a\fb", {true, 1, 1}}, // form feed is an ordinary character
    {"a\fb", "ab a\fb", {true, 3, 3}},
    {"]", "a]", {true, 1, 1}},
};
INSTANTIATE_TEST_SUITE_P(Literals, Dialect, ::testing::ValuesIn(literalCases));

const DialectCase anyCases[] = {
    {"a.c", "abc", {true, 0, 3}},  {"a.c", "a\nc", {true, 0, 3}}, {"a.c", "a\rc", {true, 0, 3}},
    {"a.c", "a\fc", {true, 0, 3}}, {"a.c", "ac", none},           {".", "", none},
};
INSTANTIATE_TEST_SUITE_P(AnyCharacter, Dialect, ::testing::ValuesIn(anyCases));

const DialectCase bracketCases[] = {
    {"[abc]", "xxb", {true, 2, 1}},         {"[a-z]+", "12hello3", {true, 2, 5}},
    {"[a-zA-Z]+", "09AbZ!", {true, 2, 3}},  {"[^0-9]+", "123abc456", {true, 3, 3}},
    {"[^0-9]", "\n", {true, 0, 1}},         {"[]a]+", "x]a]", {true, 1, 3}}, // ] first is a member
    {"[^]a]", "]ab", {true, 2, 1}},         {"[a-]+", "x-a-", {true, 1, 3}}, // - last is a member
    {"[-a]+", "x-a-", {true, 1, 3}},                                         // - first is a member
    {"[a-c-e]+", "-eb", {true, 0, 3}},  // - after a range is a member
    {"[\\d-z]+", "a-5z", {true, 1, 3}}, // - next to a class escape is a member
    {"[\\]]", "a]", {true, 1, 1}},          {"[\\-x]", "a-", {true, 1, 1}},
    {"[\\t]", "a\tb", {true, 1, 1}},        {"[\\x41-\\x43]+", "xABCD", {true, 1, 3}},
    {"[\\d_]+", "a1_2b", {true, 1, 3}},     {"[\\D]+", "12ab3", {true, 2, 2}},
    {"[{}]+", "a{}b", {true, 1, 2}},        {"[.]", "a.", {true, 1, 1}},
    {"[*+?|()]+", "a*+?|()", {true, 1, 6}},
};
INSTANTIATE_TEST_SUITE_P(BracketExpressions, Dialect, ::testing::ValuesIn(bracketCases));

const DialectCase escapeCases[] = {
    {"\\t\\n\\r\\f\\v", "x\t\n\r\f\v", {true, 1, 5}},
    {"\\x41\\x62", "zAb", {true, 1, 2}},
    {"\\x7b", "a{", {true, 1, 1}},
    {"\\d+", "ab123c", {true, 2, 3}},
    {"\\D+", "12ab3", {true, 2, 2}},
    {"\\w+", "!!a_Z9!!", {true, 2, 4}},
    {"\\W+", "ab!?cd", {true, 2, 2}},
    {"\\s+", "a \t\n\v\f\rb", {true, 1, 6}},
    {"\\S+", "  ab  ", {true, 2, 2}},
    {"\\.", "a.b", {true, 1, 1}},
    {"\\*\\+\\?", "a*+?", {true, 1, 3}},
    {"\\(\\)", "a()", {true, 1, 2}},
    {"\\[\\]", "a[]", {true, 1, 2}},
    {"\\\\", "a\\b", {true, 1, 1}},
    {"\\{\\}", "{}", {true, 0, 2}},
    {"\\a\\z", "az", {true, 0, 2}}, // any other escaped character is literal
    {"\\^\\$", "a^$", {true, 1, 2}},
};
INSTANTIATE_TEST_SUITE_P(Escapes, Dialect, ::testing::ValuesIn(escapeCases));

const DialectCase anchorCases[] = {
    {"^abc", "abcabc", {true, 0, 3}},
    {"^abc", "xabc", none},
    {"abc$", "abcabc", {true, 3, 3}},
    {"abc$", "abcx", none},
    {"^$", "", {true, 0, 0}}, // the library searches an empty text too
    {"^$", "a", none},
    {"a$", "a\n", none}, // $ is the end of the text only
    {"$", "abc", {true, 3, 0}},
    {"(^x|$)", "ab", {true, 2, 0}},
    {"^a|b", "cb", {true, 1, 1}},
    {"(^a|b)+", "abab", {true, 0, 2}},
};
INSTANTIATE_TEST_SUITE_P(Anchors, Dialect, ::testing::ValuesIn(anchorCases));

const DialectCase choiceCases[] = {
    {"a|ab", "ab", {true, 0, 1}}, // the first alternative wins, not the longest
    {"ab|a", "ab", {true, 0, 2}},
    {"(a|ab)(c|bcd)", "abcd", {true, 0, 4}}, // a, then bcd
    {"(a|ab)(c|bcd)d", "abcdd", {true, 0, 5}},
    {"x|y|z", "--z", {true, 2, 1}},
    {"a|", "b", {true, 0, 0}}, // an empty alternative matches the empty string
    {"|a", "a", {true, 0, 0}},
    {"(|a)+", "aa", {true, 0, 0}},
    {"b|a", "ab", {true, 0, 1}}, // leftmost start beats earlier alternative
};
INSTANTIATE_TEST_SUITE_P(Alternation, Dialect, ::testing::ValuesIn(choiceCases));

const DialectCase repetitionCases[] = {
    {"a*", "aaa", {true, 0, 3}},
    {"a*", "baaa", {true, 0, 0}}, // the empty match at 0 comes first
    {"a+", "baaa", {true, 1, 3}},
    {"ba?", "bab", {true, 0, 2}},
    {"ba?", "bb", {true, 0, 1}},
    {"a*?", "aaa", {true, 0, 0}},
    {"a+?", "aaa", {true, 0, 1}},
    {"ba??", "ba", {true, 0, 1}},
    {"a*?b", "aaab", {true, 0, 4}},
    {"<.*>", "<a><b>", {true, 0, 6}},
    {"<.*?>", "<a><b>", {true, 0, 3}},
    {"<.+?>", "<><b>", {true, 0, 5}},
    {"(ab)+", "ababa", {true, 0, 4}},
    {"(a|b)*c", "abbac", {true, 0, 5}},
    {"(a*)*b", "aab", {true, 0, 3}},
    {"(a*)+b", "aab", {true, 0, 3}},
    {"(a*)*", "b", {true, 0, 0}},
    {"(|a)*", "aa", {true, 0, 0}}, // an empty iteration ends the repetition
    {"(a|)*", "aa", {true, 0, 2}},
    {"(a*?)*?b", "aab", {true, 0, 3}},
    {"(a?"
     "?)*",
     "aa",
     {true, 0, 0}}, // the empty way through the body comes first
    {"(a?"
     "?)+a",
     "aa",
     {true, 0, 1}},
    {"(b?|.)+", "bxx", {true, 0, 1}}, // the second iteration matches empty and ends it
    {"(b?|.)+x", "bxx", {true, 0, 2}},
    {"[0-9][0-9][0-9][0-9]_[0-9][0-9][0-9][0-9]", "photo_2001_0903.jpg", {true, 6, 9}},
};
INSTANTIATE_TEST_SUITE_P(Repetition, Dialect, ::testing::ValuesIn(repetitionCases));

const DialectCase groupCases[] = {
    {"()", "a", {true, 0, 0}},
    {"(a)(b)", "ab", {true, 0, 2}},
    {"((a))", "a", {true, 0, 1}},
    {"a(b|c)d", "acd", {true, 0, 3}},
};
INSTANTIATE_TEST_SUITE_P(Groups, Dialect, ::testing::ValuesIn(groupCases));

} // namespace
