#include "dialog_messages.h"
#include "main_app.h"
#include "resource.h"
#include "system_texts.h"
#include "table_code_page.h"
#include "text_conversion.h"

#include <gtest/gtest.h>

namespace {

// The window's string table holds the engine's Japanese texts 10 to 14, character for
// character, under every code page.
TEST(SystemText, StringTableHoldsTheJapaneseTexts) {
    for (SystemText id : everySystemText) {
        const unsigned number = static_cast<unsigned>(id);
        if (number < IDS_BAD_PATTERN || number > IDS_LIBRARY_MISSING)
            continue;
        const wchar_t* table = nullptr;
        const int length =
            LoadStringW(GetModuleHandleA(nullptr), number, reinterpret_cast<wchar_t*>(&table), 0);
        ASSERT_GT(length, 0) << number;
        const std::string_view japanese = systemTextUtf8(id, TextLanguage::japanese);
        std::wstring expected(japanese.size(), L'\0');
        expected.resize(static_cast<std::size_t>(
            MultiByteToWideChar(CP_UTF8, 0, japanese.data(), static_cast<int>(japanese.size()),
                                expected.data(), static_cast<int>(expected.size()))));
        EXPECT_EQ(std::wstring(table, static_cast<std::size_t>(length)), expected) << number;
    }
}

// Under code page 932 the window shows every text in its Japanese, byte for byte as ever:
// what LoadStringA gives through the buffer the window reads it with is the engine's text
// converted (12 is longer than 100 bytes; 14 is 31 bytes and fits its 32-byte buffer), and 100,
// 101 and 102 are the engine's texts converted. Under any other code page each is the English
// text, which every code page holds.
TEST(SystemText, EveryTextIsInTheLanguageOfTheCodePage) {
    const unsigned codePage = GetACP();
    ASSERT_TRUE(codePage == 932 || codePage == 1252) << codePage;
    MainApp app;
    DialogMessages messages(app, nullptr);
    for (SystemText id : everySystemText) {
        const std::string shown = messages.text(id);
        if (codePage == 932) {
            EXPECT_EQ(shown, fromUtf8(systemTextUtf8(id), shiftJisCodePage))
                << static_cast<int>(id);
        } else {
            EXPECT_EQ(shown, systemTextUtf8(id, TextLanguage::english)) << static_cast<int>(id);
        }
    }
}

TEST(SystemText, ComboFontFaceFitsTheFaceNameField) {
    std::string face = fromUtf8("ＡＲ黒丸ＰＯＰ体Ｈ", shiftJisCodePage);
    EXPECT_EQ(face, "\x82\x60\x82\x71\x8d\x95\x8a\xdb\x82\x6f\x82\x6e\x82\x6f\x91\xcc\x82\x67");
    EXPECT_LT(face.size(), static_cast<std::size_t>(LF_FACESIZE));
}

} // namespace
