#include "jre_session.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

namespace {

TEST(Version, IsOnePointZeroZero) {
    EXPECT_EQ(JreGetVersion() & 0xFFFFu, 0x0100u);
}

TEST(Open, RefusesNullRecordAndWrongSizes) {
    EXPECT_EQ(Jre2Open(nullptr), 0);
    for (int size : {0, 53, 55, -54}) {
        std::array<unsigned char, 64> record{};
        std::memcpy(record.data(), &size, sizeof size); // the tests run little-endian
        std::array<unsigned char, 64> before = record;
        EXPECT_EQ(Jre2Open(record.data()), 0) << size;
        EXPECT_EQ(record, before) << "a refused record is not written, size " << size;
        EXPECT_EQ(Jre2Compile(record.data(), const_cast<char*>("a")), 0);
        EXPECT_EQ(Jre2GetMatchInfo(record.data(), const_cast<char*>("a")), 0);
        EXPECT_EQ(Jre2Close(record.data()), 0);
        EXPECT_EQ(record, before) << "no call writes into it, size " << size;
    }
}

TEST(Record, CallerFieldAtOffset28IsNeverTouched) {
    useCodePage("932");
    std::array<unsigned char, 54> record{};
    record[0] = 54;
    record[28] = 0x5A;
    record[29] = 0xA5;
    ASSERT_NE(Jre2Open(record.data()), 0);
    char pattern[] = "(a|\x95\x5C)+";
    char badPattern[] = "(a";
    char text[] = "xa\x95\x5C"
                  "a";
    char otherText[] = "zzz";
    ASSERT_NE(Jre2Compile(record.data(), pattern), 0);
    EXPECT_NE(Jre2GetMatchInfo(record.data(), text), 0);
    EXPECT_EQ(Jre2GetMatchInfo(record.data(), otherText), 0);
    EXPECT_EQ(Jre2Compile(record.data(), badPattern), 0);
    char message[64];
    GetJreMessage(record.data(), message, sizeof message);
    EXPECT_NE(Jre2Close(record.data()), 0);
    EXPECT_EQ(record[28], 0x5A);
    EXPECT_EQ(record[29], 0xA5);
}

TEST(Record, CloseReleasesTheRecordAndIsSafeToRepeat) {
    JreSession jre;
    ASSERT_NE(jre.compile("a+"), 0);
    EXPECT_NE(Jre2Close(jre.record()), 0);
    EXPECT_EQ(jre.message(), "record not opened");
    EXPECT_EQ(Jre2Close(jre.record()), 0);
    EXPECT_EQ(jre.compile("a"), 0);
    EXPECT_EQ(jre.search("a"), (Found{false, 0, 0}));
    for (int at : {4, 12, 30})
        EXPECT_EQ(jre.field(at), 0) << "library bytes at " << at << " are cleared";
    EXPECT_EQ(Jre2Close(nullptr), 0);
}

TEST(Record, ReopenedOrClosedRecordReadsNoEarlierMatch) {
    JreSession jre;
    ASSERT_NE(jre.compile("b+"), 0);
    ASSERT_EQ(jre.search("abb"), (Found{true, 1, 2}));
    ASSERT_NE(Jre2Close(jre.record()), 0);
    EXPECT_EQ(jre.field(20), 0) << "matchLength after close";
    EXPECT_EQ(jre.field(24), 0) << "matchPosition after close";

    jre.setField(20, 7);
    jre.setField(24, 9);
    ASSERT_NE(Jre2Open(jre.record()), 0);
    EXPECT_EQ(jre.field(20), 0) << "matchLength after open";
    EXPECT_EQ(jre.field(24), 0) << "matchPosition after open";
}

TEST(Record, CloseWithoutCompileIsSafe) {
    JreSession jre;
    EXPECT_NE(Jre2Close(jre.record()), 0);
}

TEST(Record, RecompilingReplacesThePattern) {
    JreSession jre;
    for (int i = 0; i < 100; ++i)
        ASSERT_NE(jre.compile(i % 2 == 0 ? "a+" : "b+"), 0);
    EXPECT_EQ(jre.search("aabb"), (Found{true, 2, 2}));
}

TEST(Search, MatchLengthIsZeroAfterFailedSearch) {
    JreSession jre;
    ASSERT_NE(jre.compile("b+"), 0);
    ASSERT_EQ(jre.search("abba"), (Found{true, 1, 2}));
    EXPECT_EQ(jre.search("aaaa"), (Found{false, 0, 0}));
}

TEST(Search, MatchLengthIsZeroWithoutCompiledPattern) {
    JreSession jre;
    jre.setField(20, 7);
    EXPECT_EQ(jre.search("abc"), (Found{false, 0, 0}));
    EXPECT_EQ(jre.message(), "no pattern compiled");
}

TEST(Search, MatchLengthIsZeroForStartOutsideTheText) {
    JreSession jre;
    ASSERT_NE(jre.compile("a*"), 0);
    for (int start : {-1, 4, 1 << 30}) {
        jre.setField(20, 7);
        EXPECT_EQ(jre.search("aaa", start), (Found{false, 0, 0})) << start;
        EXPECT_EQ(jre.message(), "start offset out of range");
    }
}

TEST(Search, NullTextIsNoMatch) {
    JreSession jre;
    ASSERT_NE(jre.compile("a"), 0);
    jre.setField(20, 7);
    EXPECT_EQ(Jre2GetMatchInfo(jre.record(), nullptr), 0);
    EXPECT_EQ(jre.field(20), 0);
    EXPECT_EQ(jre.message(), "no text given");
}

TEST(Search, PositionCountsFromTheTextStart) {
    JreSession jre;
    ASSERT_NE(jre.compile("ab"), 0);
    EXPECT_EQ(jre.search("ab ab", 1), (Found{true, 3, 2}));
    EXPECT_EQ(jre.search("ab ab", 3), (Found{true, 3, 2}));
    EXPECT_EQ(jre.search("ab ab", 4), (Found{false, 0, 0}));
}

TEST(Search, StartAtTheEndStillMatchesTheEmptyString) {
    JreSession jre;
    ASSERT_NE(jre.compile("$"), 0);
    EXPECT_EQ(jre.search("abc", 3), (Found{true, 3, 0}));
}

TEST(Search, TextStartAnchorHoldsOnlyAtByteZero) {
    JreSession jre;
    ASSERT_NE(jre.compile("^a"), 0);
    EXPECT_EQ(jre.search("aaa", 1), (Found{false, 0, 0}));
}

TEST(Search, TheTextIsOnlyRead) {
    JreSession jre;
    ASSERT_NE(jre.compile("b+"), 0);
    char text[] = "abbc";
    jre.setField(8, 0);
    EXPECT_NE(Jre2GetMatchInfo(jre.record(), text), 0);
    EXPECT_STREQ(text, "abbc");
}

std::string messageOf(const void* record, int bufferSize, int* length = nullptr) {
    char buffer[32];
    std::memset(buffer, 'X', sizeof buffer);
    int n = GetJreMessage(record, buffer, bufferSize);
    if (length != nullptr)
        *length = n;
    return std::string(buffer, sizeof buffer);
}

TEST(Message, IsCutToTheBufferAndAlwaysTerminated) {
    int length = 0;
    EXPECT_EQ(messageOf(nullptr, 32, &length).substr(0, 10), std::string("no record\0", 10));
    EXPECT_EQ(length, 9);
    EXPECT_EQ(messageOf(nullptr, 4, &length), std::string("no \0", 4) + std::string(28, 'X'));
    EXPECT_EQ(length, 9);
    EXPECT_EQ(messageOf(nullptr, 1), std::string(1, '\0') + std::string(31, 'X'));
    EXPECT_EQ(messageOf(nullptr, 10).substr(0, 11), std::string("no record\0X", 11));
    EXPECT_EQ(messageOf(nullptr, 9).substr(0, 10), std::string("no recor\0X", 10));
}

TEST(Message, NothingIsWrittenWithoutRoom) {
    int length = 0;
    EXPECT_EQ(messageOf(nullptr, 0, &length), std::string(32, 'X'));
    EXPECT_EQ(length, 9);
    EXPECT_EQ(messageOf(nullptr, -5, &length), std::string(32, 'X'));
    EXPECT_EQ(length, 9);
    EXPECT_EQ(GetJreMessage(nullptr, nullptr, 100), 9);
}

TEST(Message, DescribesRecordsThatHoldNoResult) {
    std::array<unsigned char, 54> record{};
    char buffer[64];
    GetJreMessage(record.data(), buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "record size is not 54");
    record[0] = 54;
    GetJreMessage(record.data(), buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "record not opened");
}

TEST(Message, LengthOfAnErrorWithItsByte) {
    JreSession jre;
    ASSERT_EQ(jre.compile("abc[def"), 0);
    char buffer[8];
    EXPECT_EQ(GetJreMessage(jre.record(), buffer, sizeof buffer),
              static_cast<int>(std::strlen("unterminated bracket expression at byte 3")));
    EXPECT_STREQ(buffer, "untermi");
}

} // namespace
