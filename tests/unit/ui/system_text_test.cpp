#include "ansi_text.h"
#include "dialog_messages.h"
#include "hex_bytes.h"
#include "main_app.h"

#include <gtest/gtest.h>

namespace {

struct TextCase {
    SystemText id;
    const char* shiftJis;
};

// The texts as code page 932 bytes. 11 holds ideographic spaces (81 40) around the forbidden
// characters, two spaces after the colon and a backslash before the double quote; 12 holds a
// line feed and is longer than 100 bytes; 14 is 31 bytes and fits its 32-byte buffer.
const TextCase textCases[] = {
    {SystemText::BadPattern, "90 b3 8b 4b 95 5c 8c bb 82 cc 8e 67 82 a2 95 fb 82 aa 8a d4 88 e1 82 "
                             "c1 82 c6 82 e9 82 bc 81 42"},
    {SystemText::ForbiddenCharacter,
     "83 74 83 40 83 43 83 8b 96 bc 82 c9 81 40 5c 20 2f 20 3a 20 20 2a 20 3f 20 5c 22 20 3c 20 3e "
     "20 7c 81 40 82 cd 8e 67 82 a6 82 dc 82 b9 82 f1"},
    {SystemText::RegionInGroup,
     "28 20 29 82 cc 92 86 82 c9 7b 20 7d 82 f0 93 fc 82 ea 82 e9 82 b1 82 c6 82 cd 82 c5 82 ab 82 "
     "dc 82 b9 82 f1 0a 8f da 82 b5 82 ad 82 cd 83 77 83 8b 83 76 82 f0 8e 51 8f c6 82 b5 82 c4 82 "
     "ad 82 be 82 b3 82 a2"},
    {SystemText::ProgramVersion, "31 2e 30 32"},
    {SystemText::LibraryMissing,
     "4a 52 45 33 32 2e 44 4c 4c 82 aa 8c a9 82 c2 82 a9 82 e8 82 dc 82 "
     "b9 82 f1 82 c5 82 b5 82 bd"},
    {SystemText::LibraryUnusable,
     "81 77 4a 52 45 33 32 2e 64 6c 6c 81 78 82 aa 82 cb 82 a5 82 bc 82 "
     "b1 82 cc 96 ec 98 59 81 42"},
    {SystemText::PatternRefused,
     "90 b3 8b 4b 95 5c 8c bb 82 cc 8e 67 82 a2 95 fb 82 a8 82 a9 82 b5 "
     "82 a2 82 bc 82 b1 82 cc 96 ec 98 59 81 42"},
};

TEST(SystemText, EveryTextArrivesWholeInShiftJis) {
    ASSERT_EQ(GetACP(), 932u) << "run under the Japanese locale";
    MainApp app;
    DialogMessages messages(app, nullptr);
    for (const TextCase& c : textCases)
        EXPECT_EQ(messages.text(c.id), hexBytes(c.shiftJis)) << static_cast<int>(c.id);
}

TEST(SystemText, ComboFontFaceFitsTheFaceNameField) {
    std::string face = ansiFromUtf8("ＡＲ黒丸ＰＯＰ体Ｈ");
    EXPECT_EQ(face, hexBytes("82 60 82 71 8d 95 8a db 82 6f 82 6e 82 6f 91 cc 82 67"));
    EXPECT_LT(face.size(), static_cast<std::size_t>(LF_FACESIZE));
}

} // namespace
