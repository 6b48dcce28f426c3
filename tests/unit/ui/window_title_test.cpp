#include "window_title.h"

#include <gtest/gtest.h>

namespace {

struct TitleCase {
    unsigned version;
    const char* title;
};

// The part behind the point is the whole value's hexadecimal text less its first digit.
const TitleCase titleCases[] = {
    {0x0125, "Kibrel  Ver.1.02       JRE32.DLL Ver.1.25"},
    {0x0100, "Kibrel  Ver.1.02       JRE32.DLL Ver.1.00"},
    {0x0203, "Kibrel  Ver.1.02       JRE32.DLL Ver.2.03"},
    {0x0210, "Kibrel  Ver.1.02       JRE32.DLL Ver.2.10"},
    {0x1234, "Kibrel  Ver.1.02       JRE32.DLL Ver.12.234"},
    {0x0045, "Kibrel  Ver.1.02       JRE32.DLL Ver.0.5"},
    {0x0000, "Kibrel  Ver.1.02       JRE32.DLL Ver.0."},
    {0xFFFF, "Kibrel  Ver.1.02       JRE32.DLL Ver.ff.fff"},
};

TEST(WindowTitle, ShowsProgramAndLibraryVersions) {
    for (const TitleCase& c : titleCases)
        EXPECT_EQ(windowTitle("1.02", c.version), c.title) << std::hex << c.version;
}

TEST(WindowTitle, OnlyTheLow16BitsOfTheVersionCount) {
    EXPECT_EQ(windowTitle("1.02", 0x70125), "Kibrel  Ver.1.02       JRE32.DLL Ver.1.25");
}

TEST(WindowTitle, WithoutLibraryVersionShowsTheProgramPartOnly) {
    EXPECT_EQ(windowTitle("1.02", std::nullopt), "Kibrel  Ver.1.02");
}

TEST(WindowTitle, ProgramVersionIsTakenAsLoaded) {
    EXPECT_EQ(windowTitle("", std::nullopt), "Kibrel  Ver.");
    EXPECT_EQ(windowTitle("2.1", 0x0100), "Kibrel  Ver.2.1       JRE32.DLL Ver.1.00");
}

} // namespace
