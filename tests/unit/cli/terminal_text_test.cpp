#include "cli_messages.h"
#include "code_page_choice.h"
#include "text_conversion.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <string>

namespace {

// The test sets the locale that tells the terminal's character set, and puts it back.
class TerminalText : public ::testing::Test {
  protected:
    void use(const char* locale) { ASSERT_NE(std::setlocale(LC_CTYPE, locale), nullptr); }
    void TearDown() override { std::setlocale(LC_CTYPE, "C"); }
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

// Whether a pattern was refused reaches kibrel-cli as the pass's outcome, not from the messages.
TEST_F(TerminalText, AMessageIsOneLineOnStandardError) {
    use("C.UTF-8");
    std::FILE* err = std::tmpfile();
    ASSERT_NE(err, nullptr);
    CliMessages messages(shiftJisCodePage, err);
    messages.showMessage(messages.text(SystemText::BadPattern), 0, {});
    messages.showMessage("[a] -> [b]\n Rename Failed!!", 0x30, "ERROR!");
    std::rewind(err);
    char buffer[256] = {};
    std::size_t n = std::fread(buffer, 1, sizeof buffer, err);
    std::fclose(err);
    EXPECT_EQ(std::string(buffer, n),
              "正規表現の使い方が間違っとるぞ。\n[a] -> [b]\n Rename Failed!!\n");
}

} // namespace
