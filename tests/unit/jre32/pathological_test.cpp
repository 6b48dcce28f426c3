#include "jre_session.h"

#include <gtest/gtest.h>

#include <string>

// Patterns that make a backtracking matcher take exponential time finish here; no time is
// asserted, the run just has to end with the right answer.
namespace {

TEST(Pathological, NestedAlternativesAgainstTenThousandBytes) {
    JreSession jre;
    ASSERT_NE(jre.compile("(a|a)*(a|a)*b"), 0);
    EXPECT_EQ(jre.search(std::string(10000, 'a')), (Found{false, 0, 0}));
    EXPECT_EQ(jre.search(std::string(10000, 'a') + "b"), (Found{true, 0, 10001}));
}

TEST(Pathological, NestedRepetitionsAgainstTenThousandBytes) {
    JreSession jre;
    ASSERT_NE(jre.compile("(x+x+)+y"), 0);
    EXPECT_EQ(jre.search(std::string(10000, 'x')), (Found{false, 0, 0}));
    ASSERT_NE(jre.compile("(a*)*(a*)*$"), 0);
    EXPECT_EQ(jre.search(std::string(10000, 'a') + "!"), (Found{true, 10001, 0}));
}

TEST(Pathological, DeeplyNestedRepetitionsThatCanMatchEmpty) {
    JreSession jre;
    std::string pattern = std::string(50, '(') + "a?";
    for (int i = 0; i < 50; ++i)
        pattern += ")*";
    ASSERT_NE(jre.compile(pattern + "b"), 0) << jre.message();
    EXPECT_EQ(jre.search(std::string(1000, 'a')), (Found{false, 0, 0}));
    ASSERT_NE(jre.compile(pattern + "$"), 0) << jre.message();
    EXPECT_EQ(jre.search(std::string(1000, 'a')), (Found{true, 0, 1000}));
}

TEST(Pathological, ManyOptionalsBeforeAsManyCharacters) {
    JreSession jre;
    std::string pattern;
    for (int i = 0; i < 100; ++i)
        pattern += "a?";
    pattern += std::string(100, 'a');
    ASSERT_NE(jre.compile(pattern), 0);
    EXPECT_EQ(jre.search(std::string(100, 'a')), (Found{true, 0, 100}));
}

TEST(Pathological, LongChainOfOptionalsNeedsNoDeepStack) {
    JreSession jre;
    std::string pattern;
    while (pattern.size() + 2 <= 4096)
        pattern += "a?";
    ASSERT_NE(jre.compile(pattern), 0) << jre.message();
    EXPECT_EQ(jre.search(std::string(3000, 'a')), (Found{true, 0, 2048}));
}

} // namespace
