#include "jre_session.h"
#include "reference_matcher.h"
#include "search_paths.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// The library against the backtracking reference on generated patterns and texts under code
// page 932, with double-byte characters whose trail bytes look like syntax, lone lead bytes
// and form feeds; and each of its search paths (the DFAs, with a cache of the library's size
// and with one so small that it is emptied or given up on, and the Pike VM) against the
// others under the three kinds of code page, on texts with malformed characters.
namespace {

using reference::Pattern;
using Kind = Pattern::Kind;

// A small seeded generator, the same in every build.
class Random {
  public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    unsigned below(unsigned n) {
        state_ = state_ * 6364136223846793005u + 1442695040888963407u;
        return static_cast<unsigned>(state_ >> 33) % n;
    }
    bool chance(unsigned percent) { return below(100) < percent; }

  private:
    std::uint64_t state_;
};

// a, b, form feed, "{", "\", あ, 表 (trail byte 5C), ボ (trail byte 7B), a lone lead byte.
constexpr std::uint32_t characterValues[] = {'a',    'b',    '\f',   '{', '\\',
                                             0x82A0, 0x955C, 0x837B, 0x95};
const char* const textPieces[] = {"a",        "b",        "\f",       "{",   "\\",
                                  "\x82\xA0", "\x95\x5C", "\x83\x7B", "\x95"};
constexpr unsigned pieceCount = sizeof textPieces / sizeof textPieces[0];

Pattern leaf(Random& random) {
    Pattern p;
    unsigned pick = random.below(20);
    if (pick < 11) {
        p.kind = Kind::character;
        p.value = characterValues[random.below(pieceCount)];
    } else if (pick < 13) {
        p.kind = Kind::any;
    } else if (pick < 18) {
        p.kind = Kind::set;
        p.negated = random.chance(40);
        unsigned members = 1 + random.below(2);
        for (unsigned i = 0; i < members; ++i) {
            switch (random.below(4)) {
            case 0:
                p.ranges.push_back({'a', 'b'});
                break;
            case 1:
                p.ranges.push_back({0x8140, 0x82FC});
                break;
            default: {
                std::uint32_t v = characterValues[random.below(pieceCount)];
                p.ranges.push_back({v, v});
            }
            }
        }
    } else {
        p.kind = random.chance(50) ? Kind::textStart : Kind::textEnd;
    }
    return p;
}

Pattern generate(Random& random, int depth) {
    if (depth == 0 || random.chance(35))
        return leaf(random);
    Pattern p;
    switch (random.below(4)) {
    case 0:
        p.kind = Kind::choice;
        break;
    case 1:
    case 2:
        p.kind = Kind::sequence;
        break;
    default: {
        Kind kinds[] = {Kind::star, Kind::plus, Kind::optional};
        p.kind = kinds[random.below(3)];
        p.greedy = random.chance(60);
        p.children.push_back(generate(random, depth - 1));
        return p;
    }
    }
    unsigned count = (p.kind == Kind::sequence && random.chance(10)) ? 0 : 2 + random.below(2);
    for (unsigned i = 0; i < count; ++i)
        p.children.push_back(generate(random, depth - 1));
    return p;
}

std::string generateText(Random& random) {
    std::string text;
    unsigned pieces = random.below(9);
    for (unsigned i = 0; i < pieces; ++i)
        text += textPieces[random.below(pieceCount)];
    return text;
}

std::string hex(const std::string& bytes) {
    std::string out;
    char b[4];
    for (unsigned char c : bytes) {
        std::snprintf(b, sizeof b, "%02X ", c);
        out += b;
    }
    return out;
}

TEST(Differential, LibraryAgreesWithTheBacktrackingReference) {
    Random random(20240607);
    JreSession jre("932");
    int compared = 0;
    int found = 0;
    int gaveUp = 0;
    int dfaAnswered = 0;
    for (int patternIndex = 0; patternIndex < 800; ++patternIndex) {
        Pattern pattern = generate(random, 4);
        std::string rendered = reference::render(pattern);
        ASSERT_NE(jre.compile(rendered), 0) << hex(rendered) << jre.message();
        SearchPaths paths(rendered, 932, jre32::CompiledPattern::defaultCacheBytes);
        SearchPaths tiny(rendered, 932, tinyCache);
        ASSERT_TRUE(paths.compiled() && tiny.compiled()) << hex(rendered);
        for (int textIndex = 0; textIndex < 6; ++textIndex) {
            std::string text = generateText(random);
            int start =
                random.chance(70)
                    ? 0
                    : static_cast<int>(random.below(static_cast<unsigned>(text.size()) + 1));
            reference::Outcome expected = reference::search(pattern, text, start);
            if (expected.gaveUp) {
                ++gaveUp;
                continue;
            }
            Found actual = jre.search(text, start);
            ++compared;
            found += expected.found ? 1 : 0;
            const Found want{expected.found, expected.position, expected.length};
            ASSERT_EQ(actual, want) << "pattern " << hex(rendered) << "/" << rendered << "/\ntext "
                                    << hex(text) << " from " << start;
            std::size_t from = paths.boundary(text, static_cast<std::size_t>(start));
            ASSERT_EQ(paths.pike(text, from), want) << "Pike VM, pattern " << hex(rendered)
                                                    << "\ntext " << hex(text) << " from " << from;
            for (SearchPaths* dfa : {&paths, &tiny}) {
                bool declined = false;
                Found answer = dfa->dfa(text, from, declined);
                if (declined)
                    continue;
                dfaAnswered += dfa == &paths ? 1 : 0;
                ASSERT_EQ(answer, want)
                    << (dfa == &tiny ? "DFA, tiny cache" : "DFA") << ", pattern " << hex(rendered)
                    << "\ntext " << hex(text) << " from " << from;
            }
        }
    }
    // The DFA with the library's cache answers every search itself.
    EXPECT_EQ(dfaAnswered, compared);
    EXPECT_GE(compared, 4500);
    EXPECT_LE(gaveUp, compared / 100);
    // The cases are worth something only when both outcomes occur often.
    EXPECT_GE(found, compared / 5);
    EXPECT_LE(found, compared * 4 / 5);
}

// What patterns and texts of one code page are made of: pattern atoms (characters, escapes
// and bracket expressions) and text pieces, malformed characters among them.
struct Dialect {
    int codePage;
    std::vector<std::string> atoms;
    std::vector<std::string> pieces;
};

const Dialect dialects[] = {
    {932,
     {"a", "b", "A", "{", "\\\\", "\\f", "\x82\xA0", "\x95\x5C", "\x83\x7B", "\x88\x9F", "\\x95",
      ".", "\\d", "\\W", "[a-b]", "[^a]", "[\x81\x40-\x82\xFC]", "[^\x82\xA0]",
      "[\x88\x9F-\x98\x72"
      "a]"},
     // あ, 表 (trail byte 5C), ボ (trail byte 7B), ア (trail byte "A"), 亜 (both bytes lead
     // bytes), a lone lead byte that pairs with what follows when it can.
     {"a", "b", "1", "{", "\\", "\f", "\x82\xA0", "\x95\x5C", "\x83\x7B", "\x83\x41", "\x88\x9F",
      "\x95"}},
    {65001,
     {"a", "b", "\xC3\xA9", "\xE3\x81\x82", "\xF0\x9F\x98\x80", "\\x80", "\x80", ".", "\\w", "\\S",
      "[a-b]", "[^a]", "[\xC3\xA0-\xC3\xBF]", "[^\xE3\x81\x82]", "[\xE3\x81\x81-\xE3\x82\x93]",
      "[\xF0\x9F\x98\x80-\xF0\x9F\x99\x8F]"},
     // é, あ, ん, 😀, U+0080; a stray continuation byte, a cut sequence, a lone first byte,
     // a byte never in UTF-8, a surrogate.
     {"a", "b", "1", "\xC3\xA9", "\xE3\x81\x82", "\xE3\x82\x93", "\xF0\x9F\x98\x80", "\xC2\x80",
      "\x80", "\xE3\x81", "\xC3", "\xFF", "\xED\xA0\x80"}},
    {1252,
     {"a", "b", "\xE9", "\\x80", ".", "\\d", "[a-b]", "[^a]", "[\x80-\xFF]"},
     {"a", "b", "1", "\xE9", "\x80", "\xFF"}},
};

std::string generatePattern(Random& random, const Dialect& dialect, int depth) {
    if (depth == 0 || random.chance(30)) {
        unsigned pick = random.below(20);
        if (pick == 0)
            return "^";
        if (pick == 1)
            return "$";
        return dialect.atoms[random.below(static_cast<unsigned>(dialect.atoms.size()))];
    }
    switch (random.below(4)) {
    case 0:
        return "(" + generatePattern(random, dialect, depth - 1) + "|" +
               generatePattern(random, dialect, depth - 1) + ")";
    case 1:
    case 2:
        return generatePattern(random, dialect, depth - 1) +
               generatePattern(random, dialect, depth - 1);
    default: {
        const char* operators[] = {"*", "+", "?"};
        std::string repeated =
            "(" + generatePattern(random, dialect, depth - 1) + ")" + operators[random.below(3)];
        return random.chance(40) ? repeated + "?" : repeated;
    }
    }
}

// Up to 40 pieces, now and then with a long run of one piece, so that the DFA skips and walks
// back over many characters.
std::string generateText(Random& random, const Dialect& dialect) {
    std::string text;
    unsigned pieces = random.below(41);
    auto count = static_cast<unsigned>(dialect.pieces.size());
    for (unsigned i = 0; i < pieces; ++i) {
        const std::string& piece = dialect.pieces[random.below(count)];
        unsigned repeat = random.chance(5) ? 30 + random.below(40) : 1;
        for (unsigned r = 0; r < repeat; ++r)
            text += piece;
    }
    return text;
}

TEST(Differential, DfaAnswersAsThePikeVmUnderEveryKindOfCodePage) {
    Random random(20250117);
    for (const Dialect& dialect : dialects) {
        const std::string codePage = std::to_string(dialect.codePage);
        JreSession jre(codePage.c_str());
        int compared = 0;
        int found = 0;
        int dfaAnswered = 0;
        for (int patternIndex = 0; patternIndex < 400; ++patternIndex) {
            std::string pattern = generatePattern(random, dialect, 4);
            SearchPaths paths(pattern, dialect.codePage, jre32::CompiledPattern::defaultCacheBytes);
            SearchPaths tiny(pattern, dialect.codePage, tinyCache);
            ASSERT_TRUE(paths.compiled() && tiny.compiled()) << hex(pattern);
            ASSERT_NE(jre.compile(pattern), 0) << hex(pattern) << jre.message();
            for (int textIndex = 0; textIndex < 8; ++textIndex) {
                std::string text = generateText(random, dialect);
                auto offset =
                    random.chance(60) ? 0 : random.below(static_cast<unsigned>(text.size()) + 1);
                std::size_t from = paths.boundary(text, offset);
                const Found want = paths.pike(text, from);
                ++compared;
                found += want.found ? 1 : 0;
                auto where = [&] {
                    return "code page " + codePage + ", pattern " + hex(pattern) + "/" + pattern +
                           "/\ntext " + hex(text) + " from " + std::to_string(from);
                };
                ASSERT_EQ(jre.search(text, static_cast<int>(offset)), want) << where();
                ASSERT_EQ(tiny.search(text, from), want) << "tiny cache, " << where();
                for (SearchPaths* dfa : {&paths, &tiny}) {
                    bool declined = false;
                    Found answer = dfa->dfa(text, from, declined);
                    if (declined)
                        continue;
                    dfaAnswered += dfa == &paths ? 1 : 0;
                    ASSERT_EQ(answer, want)
                        << (dfa == &tiny ? "DFA, tiny cache, " : "DFA, ") << where();
                }
            }
        }
        EXPECT_EQ(dfaAnswered, compared) << "code page " << codePage;
        EXPECT_GE(found, compared / 5) << "code page " << codePage;
        EXPECT_LE(found, compared * 4 / 5) << "code page " << codePage;
    }
}

} // namespace
