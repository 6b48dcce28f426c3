#pragma once

#include "messages.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

// One Search and Replace text applied to one file name by the test pass, and what the user
// sees: the NewName of the row and the message shown, if any. A message the pass shows before
// the rows (10, 12) leaves the NewName empty. Bytes are code page 932.
struct NameCase {
    const char* comment;
    const char* search;
    const char* replace;
    std::string name;
    std::string newName;
    std::optional<SystemText> message;
};

inline void PrintTo(const NameCase& c, std::ostream* os) {
    *os << c.comment;
}

// The names the test pass gives: the worked examples, the edge cases of the pattern language,
// of the new-name computation and of the pass, and the regions that tile the match. Run by
// engine_tests (natively and under Wine) and through kibrel-cli by cli_e2e_tests.
inline const std::vector<NameCase>& nameCases() {
    using enum SystemText;
    static const std::vector<NameCase> cases = {
        {"the worked example of the regions",
         "{\\d\\d\\d\\d}_{\\d\\d\\d\\d}",
         "\\2-\\1",
         "photo_2001_0903.jpg",
         "photo_0903-2001.jpg",
         {}},
        {"a region takes the fewest bytes", "{a+}a*", "[\\1]", "aaa", "[a]", {}},
        {"greedy regions around a literal", "{.*}_{.*}", "\\2_\\1", "a_b_c", "b_c_a", {}},
        {"a region behind an anchor starts at 0", "^{\\d}", "\\1", "1.txt", "1.txt", {}},
        {"both regions behind an anchor",
         "^{\\d+}_{.*}",
         "\\2_\\1",
         "12_abc.txt",
         "abc.txt_12",
         {}},
        {"a pattern in front that matched nothing",
         "_?{\\d+}",
         "-\\1",
         "20230914.jpg",
         "-20230914.jpg",
         {}},
        {"a repetition in front that matched nothing", "a*{b}", "[\\1]", "b", "[b]", {}},
        {"a region that matched nothing", "{a*}b", "[\\1]", "b", "[]", {}},
        {"the pattern behind a region reaches the end", "{a*}a", "[\\1]", "aaa", "[aa]", {}},
        {"a greedy pattern in front of a region", ".*{x}", "[\\1]", "axbx", "[x]", {}},
        {"a region that ends at the last X", "{.*}X", "[\\1]", "aXbXc", "[aXb]c", {}},
        {"a region inside an alternative", "abab|{\\d}", "[\\1]", "5.txt", "[5].txt", {}},
        {"a greedy pattern between regions", "{\\a}.*{\\d}", "[\\1][\\2]", "ab12", "[a][2]", {}},
        {"adjacent regions", "{a}{b}", "\\2\\1", "ab", "ba", {}},
        {"every match from left to right", "-", "_", "a-b-c.txt", "a_b_c.txt", {}},
        {"replaced by nothing, never searched again", "0", "", "IMG0001.JPG", "IMG1.JPG", {}},
        {"an anchor matches at the start of every remainder", "^a", "b", "aaa.txt", "bbb.txt", {}},
        {"a first match of length 0 replaces nothing", "b*", "X", "abc", "abc", {}},
        {"only empty matches", "x*", "y", "abc", "abc", {}},
        {"the whole name replaced by nothing", "ab", "", "abab", "", {}},
        {"nothing remains behind the replacement", "abc", "", "x.abc", "x.", {}},
        {"a remainder turned into LF counts as no match", "a", "\\n", "a", "a", {}},
        {"without braces \\1 to \\9 insert nothing", "\\d+", "n\\1\\9", "a12b", "anb", {}},
        {"an empty Replace text deletes", "\\d+", "", "a12b", "ab", {}},
        {"escapes put control characters in", "a", "\\t", "xay", "x\ty", {}},
        {"a region that does not exist inserts nothing", "{a}{b}", "\\1\\2\\3", "ab", "ab", {}},
        {"an empty region and \\0 behind it", "a{}b", "(\\1\\0)", "ab", "(ab)", {}},
        {"escaped braces are plain braces", "\\{a\\}", "x", "{a}.txt", "x.txt", {}},
        {"a backslash before a backslash", "\\\\d", "x", "a1", "a1", {}},
        {"a region beside a group", "(a){b}", "[\\1]", "ab", "[b]", {}},
        {"a group inside a region", "{(a|b)}", "[\\1]", "b", "[b]", {}},
        {"a decimal number in a region", "{\\N}", "(\\1)", "1.5", "(1.5)", {}},
        {"ボ and マ are no braces",
         "{\x83\x7B}\x83\x7D",
         "\\1",
         "\x83\x7B\x83\x7D",
         "\x83\x7B",
         {}},
        {"表 is no backslash",
         "\x95\x5C",
         "x",
         "\x95\x5C"
         "1",
         "x1",
         {}},
        {"a back reference that begins with 表",
         "{.\\d}",
         "x\\1",
         "\x95\x5C"
         "1.txt",
         "x\x95\x5C"
         "1.txt",
         {}},
        {"an empty Search text", "", "x", "a.txt", "", BadPattern},
        {"a region that is not closed", "{a", "x", "a.txt", "", BadPattern},
        {"closing before opening", "}{", "x", "a.txt", "", BadPattern},
        {"nested regions", "{{a}}", "x", "a.txt", "", BadPattern},
        {"a brace behind 日 is no brace", "\x93\xFA{x}", "y", "a.txt", "", BadPattern},
        {"parentheses that do not pair up", "(a{b}", "x", "ab", "", BadPattern},
        {"a region inside parentheses", "({b})", "x", "ab", "", RegionInGroup},
        {"a region inside escaped parentheses", "\\(a{b}\\)", "x", "ab", "", RegionInGroup},
        {"the empty bare pattern", "{}", "x", "ab", "ab", PatternRefused},
        {"a pattern the library refuses", "(a))(", "x", "ab", "ab", PatternRefused},
        {"a backslash in the Replace text", "b", "\\\\", "abc", "", ForbiddenCharacter},
        {"a forbidden character in the Replace text", "b", "?", "abc", "", ForbiddenCharacter},
        {"a slash behind a lone lead byte", "a", "\x95/b", "a.txt", "", ForbiddenCharacter},
        {"a later step refused refuses the whole row", "[ab]", "\x95\x5C\x95", "ab", "",
         ForbiddenCharacter},
    };
    return cases;
}
