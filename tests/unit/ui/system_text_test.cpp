#include "dialog_messages.h"
#include "main_app.h"
#include "system_texts.h"
#include "table_code_page.h"
#include "text_conversion.h"

#include <gtest/gtest.h>

namespace {

// The window's string table and the engine's texts are one text in two forms: what LoadStringA
// gives under code page 932, through the buffer the window reads it with, is the engine's UTF-8
// text converted, byte for byte (12 is longer than 100 bytes; 14 is 31 bytes and fits its
// 32-byte buffer). 100, 101 and 102 are the engine's texts converted.
TEST(SystemText, EveryTextArrivesWholeInShiftJis) {
    ASSERT_EQ(GetACP(), 932u) << "run under the Japanese locale";
    MainApp app;
    DialogMessages messages(app, nullptr);
    for (SystemText id :
         {SystemText::BadPattern, SystemText::ForbiddenCharacter, SystemText::RegionInGroup,
          SystemText::ProgramVersion, SystemText::LibraryMissing, SystemText::LibraryUnusable,
          SystemText::PatternRefused, SystemText::PathsNotHeld})
        EXPECT_EQ(messages.text(id), fromUtf8(systemTextUtf8(id), shiftJisCodePage))
            << static_cast<int>(id);
}

TEST(SystemText, ComboFontFaceFitsTheFaceNameField) {
    std::string face = fromUtf8("ＡＲ黒丸ＰＯＰ体Ｈ", shiftJisCodePage);
    EXPECT_EQ(face, "\x82\x60\x82\x71\x8d\x95\x8a\xdb\x82\x6f\x82\x6e\x82\x6f\x91\xcc\x82\x67");
    EXPECT_LT(face.size(), static_cast<std::size_t>(LF_FACESIZE));
}

} // namespace
