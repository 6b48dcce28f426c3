#include "ansi_code_page.h"
#include "table_code_page.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

TEST(AnsiCodePage, PlatformLeadBytesAreThoseOfShiftJis) {
    ASSERT_EQ(GetACP(), 932u) << "run under the Japanese locale";
    TableCodePage shiftJis(932);
    for (unsigned b = 0; b < 256; ++b) {
        auto byte = static_cast<unsigned char>(b);
        EXPECT_EQ(ansiCodePage().isLeadByte(byte), shiftJis.isLeadByte(byte)) << b;
        EXPECT_EQ(ansiCodePage().isLeadByte(byte), IsDBCSLeadByte(byte) != 0) << b;
    }
}

TEST(AnsiCodePage, LeadByteTakesOnlyATrailByte) {
    const std::string text = "\x95\x5C"
                             "a\x95/\x95";
    EXPECT_EQ(ansiCodePage().charLength(text, 0), 2u);
    EXPECT_EQ(ansiCodePage().charLength(text, 2), 1u);
    // A lead byte before a slash, and one at the end, stand alone.
    EXPECT_EQ(ansiCodePage().charLength(text, 3), 1u);
    EXPECT_EQ(ansiCodePage().charLength(text, 5), 1u);
}

} // namespace
