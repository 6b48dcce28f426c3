#include "jre_session.h"
#include "reference_matcher.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

// The library against the backtracking reference on generated patterns and texts under code
// page 932, with double-byte characters whose trail bytes look like syntax, lone lead bytes
// and form feeds.
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
    for (int patternIndex = 0; patternIndex < 800; ++patternIndex) {
        Pattern pattern = generate(random, 4);
        std::string rendered = reference::render(pattern);
        ASSERT_NE(jre.compile(rendered), 0) << hex(rendered) << jre.message();
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
            ASSERT_EQ(actual, (Found{expected.found, expected.position, expected.length}))
                << "pattern " << hex(rendered) << "/" << rendered << "/\ntext " << hex(text)
                << " from " << start;
        }
    }
    EXPECT_GE(compared, 4500);
    EXPECT_LE(gaveUp, compared / 100);
    // The cases are worth something only when both outcomes occur often.
    EXPECT_GE(found, compared / 5);
    EXPECT_LE(found, compared * 4 / 5);
}

} // namespace
