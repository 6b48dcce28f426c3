#include "kibrel_version.h"
#include "system_texts.h"
#include "table_code_page.h"
#include "text_conversion.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

struct FixedText {
    SystemText id;
    std::string_view shiftJis;
};

// The window's texts as code page 932 bytes, as LoadStringA gives them under code page 932.
const FixedText fixedTexts[] = {
    {SystemText::BadPattern, "\x90\xB3\x8B\x4B\x95\x5C\x8C\xBB\x82\xCC\x8E\x67\x82\xA2\x95\xFB"
                             "\x82\xAA\x8A\xD4\x88\xE1\x82\xC1\x82\xC6\x82\xE9\x82\xBC\x81\x42"},
    // Ideographic spaces (81 40) around the characters, two spaces after the colon and a
    // backslash before the double quote.
    {SystemText::ForbiddenCharacter,
     "\x83\x74\x83\x40\x83\x43\x83\x8B\x96\xBC\x82\xC9\x81\x40\x5C\x20\x2F\x20\x3A\x20\x20\x2A"
     "\x20\x3F\x20\x5C\x22\x20\x3C\x20\x3E\x20\x7C\x81\x40\x82\xCD\x8E\x67\x82\xA6\x82\xDC\x82"
     "\xB9\x82\xF1"},
    {SystemText::RegionInGroup,
     "\x28\x20\x29\x82\xCC\x92\x86\x82\xC9\x7B\x20\x7D\x82\xF0\x93\xFC\x82\xEA\x82\xE9\x82\xB1"
     "\x82\xC6\x82\xCD\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x0A\x8F\xDA\x82\xB5\x82\xAD\x82"
     "\xCD\x83\x77\x83\x8B\x83\x76\x82\xF0\x8E\x51\x8F\xC6\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82"
     "\xB3\x82\xA2"},
    {SystemText::ProgramVersion, KIBREL_VERSION},
    {SystemText::LibraryMissing, "JRE32.DLL\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82"
                                 "\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD"},
    {SystemText::LibraryUnusable, "\x81\x77JRE32.dll\x81\x78\x82\xAA\x82\xCB\x82\xA5\x82\xBC\x82"
                                  "\xB1\x82\xCC\x96\xEC\x98\x59\x81\x42"},
    {SystemText::PatternRefused, "\x90\xB3\x8B\x4B\x95\x5C\x8C\xBB\x82\xCC\x8E\x67\x82\xA2\x95\xFB"
                                 "\x82\xA8\x82\xA9\x82\xB5\x82\xA2\x82\xBC\x82\xB1\x82\xCC\x96\xEC"
                                 "\x98\x59\x81\x42"},
    {SystemText::PathsNotHeld,
     "\x8E\x9F\x82\xCC\x83\x70\x83\x58\x82\xC9\x82\xCD\x81\x41\x82\xB1\x82\xCC\x83\x56\x83\x58"
     "\x83\x65\x83\x80\x82\xCC\x83\x52\x81\x5B\x83\x68\x83\x79\x81\x5B\x83\x57\x82\xC9\x82\xC8"
     "\x82\xA2\x95\xB6\x8E\x9A\x81\x69\x3F\x82\xC5\x8E\xA6\x82\xB5\x82\xBD\x82\xE0\x82\xCC\x81"
     "\x6A\x82\xAA\x82\xA0\x82\xE9\x82\xBD\x82\xDF\x81\x41\x91\xCE\x8F\xDB\x82\xA9\x82\xE7\x8A"
     "\x4F\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x3A"},
};

TEST(FixedTexts, UnderCodePage932AreTheWindowsBytes) {
    for (const FixedText& t : fixedTexts)
        EXPECT_EQ(fromUtf8(systemTextUtf8(t.id), shiftJisCodePage), t.shiftJis)
            << static_cast<int>(t.id);
}

// Both languages hold every fixed text, and this table every id. The English texts are
// printable ASCII (line feeds aside) and so come out unchanged under every code page; a text
// with Japanese in it has an English form that differs.
TEST(FixedTexts, EveryIdHasItsJapaneseAndItsEnglishText) {
    ASSERT_EQ(std::size(fixedTexts), everySystemText.size());
    for (std::size_t i = 0; i < everySystemText.size(); ++i) {
        const SystemText id = everySystemText[i];
        EXPECT_EQ(fixedTexts[i].id, id);
        const std::string_view japanese = systemTextUtf8(id, TextLanguage::japanese);
        const std::string_view english = systemTextUtf8(id, TextLanguage::english);
        EXPECT_EQ(japanese, systemTextUtf8(id));
        ASSERT_FALSE(english.empty()) << static_cast<int>(id);
        for (char c : english)
            EXPECT_TRUE((c >= ' ' && c <= '~') || c == '\n') << english;
        for (unsigned cp : {shiftJisCodePage, westernCodePage, utf8CodePage})
            EXPECT_EQ(fromUtf8(english, cp), english) << cp;
        EXPECT_EQ(english == japanese, fromUtf8(japanese, westernCodePage) == japanese) << english;
    }
}

TEST(FixedTexts, UnderUtf8AreTheirOwnBytes) {
    for (const FixedText& t : fixedTexts)
        EXPECT_EQ(fromUtf8(systemTextUtf8(t.id), utf8CodePage), systemTextUtf8(t.id));
}

// Code page 1252 has no Japanese characters: each becomes one "?", as the window's resources
// do under that code page; ASCII stays.
TEST(FixedTexts, UnderCodePage1252KeepAsciiAndMarkEveryOtherCharacter) {
    EXPECT_EQ(fromUtf8(systemTextUtf8(SystemText::LibraryMissing), westernCodePage),
              "JRE32.DLL???????????");
    EXPECT_EQ(fromUtf8(systemTextUtf8(SystemText::ProgramVersion), westernCodePage),
              KIBREL_VERSION);
    EXPECT_EQ(fromUtf8("caf\xC3\xA9", westernCodePage), "caf\xE9");
}

struct ExactCase {
    const char* utf8;
    unsigned codePage;
    std::optional<std::string> bytes; // nothing: the code page cannot hold the text exactly
};

// A name reaches a row only when the code page holds it exactly: a character it lacks is
// neither "?" nor a look-alike ("cafe" for "café"), and a text that is no UTF-8 has no form.
const ExactCase exactCases[] = {
    {"a_1.txt", shiftJisCodePage, "a_1.txt"},
    {"", shiftJisCodePage, ""},
    {"\xE8\xA1\xA8"
     "1.txt",
     shiftJisCodePage,
     "\x95\x5C"
     "1.txt"},                                                     // 表, trail byte 5C
    {"\xEF\xBD\xB1", shiftJisCodePage, "\xB1"},                    // halfwidth ｱ
    {"caf\xC3\xA9_2001_0903.jpg", shiftJisCodePage, std::nullopt}, // café
    {"\xC3\x9Cn\xC3\xAF"
     "c\xC3\xB6"
     "d\xC3\xA9",
     shiftJisCodePage, std::nullopt},                                   // Ünïcödé
    {"\xED\x95\x9C\xEA\xB5\xAD_1.txt", shiftJisCodePage, std::nullopt}, // 한국
    {"\xF0\x9F\x98\x80_1.txt", shiftJisCodePage, std::nullopt},         // an emoji
    {"caf\xC3\xA9", westernCodePage, "caf\xE9"},
    {"\xE8\xA1\xA8", westernCodePage, std::nullopt},
    {"\xF0\x9F\x98\x80", utf8CodePage, "\xF0\x9F\x98\x80"},
    {"a\xFF", shiftJisCodePage, std::nullopt}, // no UTF-8
    {"a\xFF", utf8CodePage, std::nullopt},
};

TEST(ExactConversion, GivesTheBytesOnlyWhenTheCodePageHoldsEveryCharacter) {
    for (const ExactCase& c : exactCases)
        EXPECT_EQ(fromUtf8Exactly(c.utf8, c.codePage), c.bytes) << c.utf8 << " in " << c.codePage;
}

// What a code page lacks shows as "?", never as a look-alike the user might take for it.
TEST(FixedTexts, MarkWhatTheCodePageLacksWithoutLookAlikes) {
    EXPECT_EQ(fromUtf8("caf\xC3\xA9", shiftJisCodePage), "caf?");
}

} // namespace
