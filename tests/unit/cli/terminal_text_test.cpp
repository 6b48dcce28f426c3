#include "cli_messages.h"
#include "cli_rows.h"
#include "cli_texts.h"
#include "code_page_choice.h"
#include "line_fields.h"
#include "records.h"
#include "system_texts.h"
#include "text_conversion.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// The test sets the locale that tells the terminal's character set and the language of the
// messages, as kibrel-cli takes it from its environment, and puts it back.
class TerminalText : public ::testing::Test {
  protected:
    void use(const char* locale) {
        setenv("LC_ALL", locale, 1);
        loadCatalog();
        ASSERT_STREQ(std::setlocale(LC_ALL, nullptr), locale);
    }
    void TearDown() override {
        unsetenv("LC_ALL");
        std::setlocale(LC_ALL, "C");
    }
};

struct TerminalCase {
    const char* comment;
    unsigned codePage;
    std::string text;
    std::string utf8;
};

const TerminalCase terminalCases[] = {
    {"Shift-JIS with a second byte 0x5C", shiftJisCodePage,
     "\x95\x5C"
     "1.txt",
     "\xE8\xA1\xA8"
     "1.txt"},
    {"a lone lead byte at the end", shiftJisCodePage, "a\x95", "a?"},
    {"a lead byte before a byte that cannot follow it", shiftJisCodePage, "\x95\x20x", "? x"},
    {"Windows-1252", westernCodePage, "caf\xE9", "caf\xC3\xA9"},
    {"UTF-8 stays as it is, malformed bytes too", utf8CodePage, "\xE8\xA1\xA8\xFF",
     "\xE8\xA1\xA8\xFF"},
};

TEST_F(TerminalText, ReachesAUtf8TerminalAsUtf8) {
    use("C.UTF-8");
    for (const TerminalCase& c : terminalCases)
        EXPECT_EQ(toTerminal(c.text, c.codePage), c.utf8) << c.comment;
}

TEST_F(TerminalText, ReachesAnAsciiTerminalWithOneMarkPerCharacter) {
    use("C");
    EXPECT_EQ(toTerminal("\x95\x5C"
                         "1.txt",
                         shiftJisCodePage),
              "?1.txt");
    EXPECT_EQ(toTerminal("\xE8\xA1\xA8"
                         "1",
                         utf8CodePage),
              "?1");
}

// A message is one line on standard error, in the locale's language: the window's Japanese
// under a Japanese locale, English otherwise; a message about a row begins with its path.
TEST_F(TerminalText, AMessageIsOneLineOnStandardErrorInTheLocalesLanguage) {
    for (const auto& [locale, badPattern] :
         {std::pair{"ja_JP.UTF-8", "正規表現の使い方が間違っとるぞ。"},
          std::pair{"C.UTF-8", "The Search text is not a pattern that can be used."}}) {
        use(locale);
        std::FILE* err = std::tmpfile();
        ASSERT_NE(err, nullptr);
        CliMessages messages(shiftJisCodePage, err, false);
        CliRows rows;
        rows.append("d/", "a");
        messages.speakOf(rows);
        messages.showMessage(messages.text(SystemText::BadPattern), 0, {});
        messages.rowUnderWay(0);
        messages.showMessage("[a] -> [b]\n Rename Failed!!", 0x30, "ERROR!");
        std::rewind(err);
        char buffer[256] = {};
        std::size_t n = std::fread(buffer, 1, sizeof buffer, err);
        std::fclose(err);
        EXPECT_EQ(std::string(buffer, n),
                  std::string(badPattern) + "\nd/a: [a] -> [b]\n Rename Failed!!\n");
    }
}

// Under a Japanese locale the catalog gives the window's own texts, byte for byte; under an
// ASCII terminal the English ones, never question marks.
TEST_F(TerminalText, TheCatalogHoldsTheWindowsTextsAndEnglishOnes) {
    use("ja_JP.UTF-8");
    for (SystemText id :
         {SystemText::BadPattern, SystemText::ForbiddenCharacter, SystemText::RegionInGroup,
          SystemText::LibraryMissing, SystemText::LibraryUnusable, SystemText::PatternRefused,
          SystemText::PathsNotHeld})
        EXPECT_EQ(systemText(id, false), systemTextUtf8(id)) << static_cast<int>(id);
    EXPECT_EQ(systemText(SystemText::ForbiddenCharacter, true), "ファイル名に　/　は使えません");
    use("C");
    EXPECT_EQ(toTerminal(fromUtf8(systemText(SystemText::LibraryUnusable, false), utf8CodePage),
                         utf8CodePage),
              "The regex library jre32 cannot be used.");
}

} // namespace

// A record is escaped whenever a byte of its path or new name is a control character or the
// backslash, wherever in the text it lies; the bytes next to those never make it so.
TEST(Records, AreEscapedForAnEscapedByteAtAnyPlace) {
    const struct {
        char byte;
        bool escaped;
    } bytes[] = {{'\x01', true},  {'\x1F', true},  {'\x7F', true},  {'\\', true},
                 {' ', false},    {'\x7E', false}, {'\x80', false}, {'\xFF', false},
                 {'\x5B', false}, {'\x5D', false}};
    for (std::size_t length = 1; length <= 20; ++length)
        for (std::size_t at = 0; at < length; ++at)
            for (const auto [b, escaped] : bytes) {
                std::string text(length, 'a');
                text[at] = b;
                for (const bool inPath : {true, false}) {
                    const std::string path = inPath ? text : "p";
                    const std::string newName = inPath ? "n" : text;
                    std::string record;
                    appendRecord(record, path, newName, false);
                    const std::string expected =
                        escaped ? "\\" + escapedField(path) + "\t" + escapedField(newName) + "\n"
                                : path + "\t" + newName + "\n";
                    EXPECT_EQ(record, expected) << length << " bytes, byte " << at;
                }
            }
}
