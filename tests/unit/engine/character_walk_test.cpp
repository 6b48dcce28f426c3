#include "engine_fixture.h"

#include <string>

namespace {

// The engine finds syntax characters, forbidden characters and separators by the same
// characters as the regex library matches: for every code page of the program, every lead
// byte with every byte behind it (and alone at the end), and with more bytes behind the two.
TEST_F(EngineTest, CharacterWalkIsTheRegexLibrarysWalk) {
    for (unsigned number : {932u, 65001u, 1252u}) {
        useLibraryCodePage(std::to_string(number));
        RegexHandle library;
        ASSERT_EQ(library.open(), 1);
        ASSERT_NE(library.compile("^."), 0);
        const TableCodePage walk(number);
        int differences = 0;
        for (unsigned first = 1; first < 256; ++first) {
            for (unsigned second = 0; second < 256; ++second) {
                std::string text(1, static_cast<char>(first));
                if (second != 0)
                    text += static_cast<char>(second);
                for (const std::string& t : {text, text + "\x80\x80"}) {
                    library.findMatch(t, 0);
                    const auto expected = static_cast<std::size_t>(library.matchLength());
                    if (walk.charLength(t, 0) != expected && ++differences <= 5)
                        ADD_FAILURE() << "code page " << number << ": " << visible(t)
                                      << " starts with a character of " << expected << " bytes";
                }
            }
        }
        EXPECT_EQ(differences, 0) << "code page " << number;
    }
}

} // namespace
