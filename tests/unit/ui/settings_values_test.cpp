#include "settings_values.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

TEST(SettingsValues, HistoryNamesCarryTheIndexInDecimal) {
    EXPECT_EQ(historyValueName(searchHistoryFormat, 0), "PastSearchKey0");
    EXPECT_EQ(historyValueName(searchHistoryFormat, 7), "PastSearchKey7");
    EXPECT_EQ(historyValueName(replaceHistoryFormat, 3), "PastReplaceKey3");
    EXPECT_EQ(historyValueName(replaceHistoryFormat, 12), "PastReplaceKey12");
}

TEST(SettingsValues, AStoredTextEndsAtItsTerminatorOrItsSize) {
    EXPECT_EQ(storedText("abc\0"s), "abc");
    EXPECT_EQ(storedText("abc\0def\0"s), "abc");
    EXPECT_EQ(storedText("abcde"s), "abcde") << "no terminator: up to the size only";
    EXPECT_EQ(storedText(""s), "");
    EXPECT_EQ(storedText("\x95\x5C\0"s), "\x95\x5C");
}

} // namespace
