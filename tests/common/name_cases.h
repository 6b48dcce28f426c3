#pragma once

#include "messages.h"

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

// One Search and Replace text applied to one file name by the test pass, and what the user
// sees: the NewName of the row and the message shown, if any. A message the pass shows before
// the rows (10, 12) leaves the NewName empty. Bytes are in the case's code page, 932 unless it
// names another.
struct NameCase {
    const char* comment;
    const char* search;
    const char* replace;
    std::string name;
    std::string newName;
    std::optional<SystemText> message;
    // The rows listed behind the first, in order, each name with its NewName; the pass ends each
    // as it ends the first (a name given, refused or left by a failed library).
    std::vector<std::pair<std::string, std::string>> moreRows = {};
    unsigned codePage = 932;
    // The number "\#" gives the first row the pattern matches.
    std::uint64_t firstNumber = 1;
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
        {"the rows the pattern matches are numbered, the others take no number",
         "{.*}\\.jpg",
         "img_\\###.jpg",
         "a.jpg",
         "img_001.jpg",
         {},
         {{"note.txt", "note.txt"}, {"b.jpg", "img_002.jpg"}}},
        {"a number past 9 takes a digit more",
         "{.*}\\.txt",
         "\\#.txt",
         "a.txt",
         "9.txt",
         {},
         {{"b.txt", "10.txt"}},
         932,
         9},
        {"the first number given, wider than its padding",
         "{.*}\\.jpg",
         "\\1_\\##.jpg",
         "a.jpg",
         "a_101.jpg",
         {},
         {{"b.jpg", "b_102.jpg"}},
         932,
         101},
        {"every match of a name takes the row's number",
         "-",
         "\\#",
         "a-b-c",
         "a1b1c",
         {},
         {{"d-e", "d2e"}}},
        {"\\L\\0 on the extension", "\\.JPG", "\\L\\0", "IMG_4711.JPG", "IMG_4711.jpg", {}},
        {"\\U to \\E, then plain",
         "{\\a+}-{\\a+}",
         "\\U\\1\\E-\\2",
         "abc-def.txt",
         "ABC-def.txt",
         {}},
        {"\\u\\1 on each word",
         "{\\a+}{[ .]}",
         "\\u\\1\\2",
         "report final.txt",
         "Report Final.txt",
         {}},
        {"full-width, Greek and Cyrillic letters of 932, and ア whose second byte is A",
         ".+",
         "\\L\\0",
         "\x82\x60\x83\xB6\x84\x47\x83\x41.TXT",
         "\x82\x81\x83\xD6\x84\x77\x83\x41.txt",
         {}},
        {"表a in upper case under 932",
         "{.*}",
         "\\U\\1",
         "\x95\x5C"
         "a.txt",
         "\x95\x5C"
         "A.TXT",
         {}},
        {"表 in the Replace text is no backslash to \\U",
         "x",
         "\\U\x95\x5C"
         "a",
         "x.jpg",
         "\x95\x5C"
         "A.jpg",
         {}},
        {"UTF-8 letters in lower case",
         ".+",
         "\\L\\0",
         "\xC3\x89"
         "COLE_\xC4\x9E_\xCE\xA3\xCE\x9F\xCE\xA6_\xD0\x94\xD0\x9E\xD0\x9C_\xEF\xBC\xA1.TXT",
         "\xC3\xA9"
         "cole_\xC4\x9F_\xCF\x83\xCE\xBF\xCF\x86_\xD0\xB4\xD0\xBE\xD0\xBC_\xEF\xBD\x81.txt",
         {},
         {},
         65001},
        {"UTF-8 in upper case: ß has none, ſ becomes S, 漢 stays",
         ".+",
         "\\U\\0",
         "stra\xC3\x9F"
         "e_\xC5\xBF_\xE6\xBC\xA2.txt",
         "STRA\xC3\x9F"
         "E_S_\xE6\xBC\xA2.TXT",
         {},
         {},
         65001},
        {"the letters of 1252 in upper case, × not one",
         ".+",
         "\\U\\0",
         "\x9A\xFF\xD7\xE9.txt",
         "\x8A\x9F\xD7\xC9.TXT",
         {},
         {},
         1252},
        {"\\E with nothing open and \\u at the end insert nothing",
         "b",
         "\\E-\\u",
         "abc",
         "a-c",
         {}},
        {"\\x still stays and is refused", "b", "\\x", "abc", "", ForbiddenCharacter},
    };
    return cases;
}
