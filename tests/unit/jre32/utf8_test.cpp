#include "jre_session.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct Utf8Case {
    const char* what;
    const char* pattern;
    const char* text;
    Found expected;
};

std::ostream& operator<<(std::ostream& out, const Utf8Case& c) {
    return out << c.what;
}

constexpr Found none{false, 0, 0};

class Utf8 : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8, TakesWellFormedSequencesWhole) {
    JreSession jre("65001");
    const Utf8Case& c = GetParam();
    ASSERT_NE(jre.compile(c.pattern), 0) << jre.message();
    EXPECT_EQ(jre.search(c.text), c.expected);
}

const Utf8Case utf8Cases[] = {
    {"two bytes", ".", "\xC3\xA9", {true, 0, 2}},
    {"three bytes", ".", "\xE3\x81\x82", {true, 0, 3}},
    {"four bytes", ".", "\xF0\x9F\x98\x80", {true, 0, 4}},
    {"a literal", "\xE3\x81\x82+", "a\xE3\x81\x82\xE3\x81\x82", {true, 1, 6}},
    {"a range of code points", "[\xC3\xA0-\xC3\xBF]", "e\xC3\xA9", {true, 1, 2}},
    {"a negated class", "[^a]", "\xC3\xA9", {true, 0, 2}},
    {"\\xHH is a code point", "\\xE9", "\xC3\xA9", {true, 0, 2}},
    {"a stray byte is no code point", "[\xC3\xA0-\xC3\xBF]", "\xE9", none},
    {"a truncated sequence is bytes of their own",
     ".",
     "\xE3\x81"
     "a",
     {true, 0, 1}},
    {"an overlong form is bytes of their own", "..", "\xC0\x80", {true, 0, 2}},
    {"a surrogate is bytes of its own", "...", "\xED\xA0\x80", {true, 0, 3}},
    {"a stray byte matches itself", "\xE9", "a\xE9", {true, 1, 1}},
    {"a continuation byte is not found inside a sequence", "\\x81", "\xE3\x81\x82", none},
};
INSTANTIATE_TEST_SUITE_P(CodePage65001, Utf8, ::testing::ValuesIn(utf8Cases));

} // namespace
