#include "jre_session.h"
#include "search_paths.h"

#include <gtest/gtest.h>

#include <cstdint>
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

// `bursts` runs of `burst` pseudo-random a and b, each followed by `gap` c; then `tail`.
std::string burstsOfAb(int bursts, int burst, int gap, const std::string& tail) {
    std::uint32_t state = 12345;
    std::string text;
    for (int i = 0; i < bursts; ++i) {
        for (int j = 0; j < burst; ++j) {
            state = state * 1103515245u + 12345u;
            text += (state >> 16 & 1) != 0 ? 'a' : 'b';
        }
        text.append(static_cast<std::size_t>(gap), 'c');
    }
    return text + tail;
}

// An a, then n characters a or b: the DFA needs 2^n states to remember the last n + 1.
std::string aThenAnyOf(int n) {
    std::string pattern = "(a|b)*a";
    for (int i = 0; i < n; ++i)
        pattern += "(a|b)";
    return pattern;
}

TEST(Pathological, DfaThatOutgrowsItsCacheGivesWayToThePikeVm) {
    const std::string pattern = aThenAnyOf(14) + "c";
    const std::string text = burstsOfAb(1, 20000, 0, "c");
    SearchPaths paths(pattern, 1252, jre32::CompiledPattern::defaultCacheBytes);
    ASSERT_TRUE(paths.compiled());
    bool gaveUp = false;
    paths.dfa(text, 0, gaveUp);
    EXPECT_TRUE(gaveUp);
    const Found want = paths.pike(text, 0);
    EXPECT_TRUE(want.found);
    EXPECT_EQ(paths.search(text, 0), want);
    JreSession jre;
    ASSERT_NE(jre.compile(pattern), 0);
    EXPECT_EQ(jre.search(text), want);
}

TEST(Pathological, DfaCacheEmptiedMidSearchGoesOn) {
    const std::string pattern = aThenAnyOf(5) + "x";
    for (const char* tail : {"", "aaaaaax"}) {
        const std::string text = burstsOfAb(40, 12, 500, tail);
        SearchPaths paths(pattern, 1252, 2048);
        ASSERT_TRUE(paths.compiled());
        bool gaveUp = false;
        const Found found = paths.dfa(text, 0, gaveUp);
        EXPECT_FALSE(gaveUp) << tail;
        EXPECT_GT(paths.cacheClears(), 0u) << tail;
        EXPECT_EQ(found, paths.pike(text, 0)) << tail;
        EXPECT_EQ(found.found, *tail != '\0');
    }
}

// 512 different characters split the values into some 1,000 ranges, and each of 640 [^a]
// takes nearly all of them: working out the DFA's classes would cost more than it may.
TEST(Pathological, PatternOfTooManyRangesForTheDfaIsSearchedByThePikeVm) {
    std::string characters;
    for (std::uint32_t i = 0; i < 512; ++i) {
        std::uint32_t c = 0x4E00 + 2 * i;
        characters += static_cast<char>(0xE0 | c >> 12);
        characters += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        characters += static_cast<char>(0x80 | (c & 0x3F));
    }
    std::string pattern = characters;
    for (int i = 0; i < 640; ++i)
        pattern += "[^a]";
    ASSERT_LE(pattern.size(), 4096u);
    const std::string text = "a" + characters + std::string(640, 'b');
    SearchPaths paths(pattern, 65001, jre32::CompiledPattern::defaultCacheBytes);
    ASSERT_TRUE(paths.compiled());
    // Even a text of three characters, which no DFA would give up on otherwise.
    bool gaveUp = false;
    paths.dfa("abc", 0, gaveUp);
    EXPECT_TRUE(gaveUp);
    const Found whole{true, 1, static_cast<int>(text.size()) - 1};
    EXPECT_EQ(paths.search(text, 0), whole);
    EXPECT_EQ(paths.search(text, 0), whole);
}

} // namespace
