#include "popup_texts.h"

#include <gtest/gtest.h>

namespace help_engine {
namespace {

struct PopupCase {
    const char* name;
    const char* file;
    unsigned number;
    const char* text; // null: no text
};

const PopupCase popupCases[] = {
    {"one topic among others", ".topic 1\nfirst\n\n.topic 2\nsecond\n\n.topic 3\nthird\n", 2,
     "second"},
    {"lines kept, blank lines around them and line ends dropped",
     ".topic 7\r\n\r\n  line one  \r\n\r\nline two\t\r\n\r\n.topic 8\r\nx", 7,
     "  line one\n\nline two"},
    {"the last topic without a line feed", ".topic 1\na\n.topic 20\nlast", 20, "last"},
    {"a byte-order mark before the first topic", "\xEF\xBB\xBF.topic 5\nmarked", 5, "marked"},
    {"the first of two topics with one number", ".topic 4\nfirst\n.topic 4\nsecond", 4, "first"},
    {"a double-byte text whose second bytes are backslashes", ".topic 9\n\x95\x5C\x83\x5C", 9,
     "\x95\x5C\x83\x5C"},
    {"a number not in the file", ".topic 1\na\n", 2, nullptr},
    {"a topic with no text", ".topic 1\n\n   \n.topic 2\nb", 1, nullptr},
    {"a symbol, not a number", ".topic IDH_SEARCH\ntext\n.topic 11001x\ntext", 11001, nullptr},
    {"a line that only begins like a topic", ".topics 3\ntext", 3, nullptr},
    {"a number beyond 32 bits", ".topic 4294967297\ntext", 1, nullptr},
    {"an empty file", "", 0, nullptr},
};

TEST(PopupTexts, TopicTextByNumber) {
    for (const PopupCase& c : popupCases) {
        const std::optional<std::string> text = popupTopicText(c.file, c.number);
        if (c.text == nullptr)
            EXPECT_FALSE(text) << c.name << ": " << *text;
        else
            EXPECT_EQ(text, c.text) << c.name;
    }
}

} // namespace
} // namespace help_engine
