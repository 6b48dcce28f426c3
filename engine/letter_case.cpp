#include "letter_case.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace {

// A run of letters with one offset to their other case: every stride-th value from first to
// last, each becoming itself + delta.
struct CaseRun {
    char32_t first;
    char32_t last;
    unsigned stride;
    int delta;
};

// The simple case mapping of Unicode for ASCII, Latin-1 (µ becomes Greek Μ), Latin
// Extended-A, Greek and Coptic, Cyrillic and the full-width Latin letters, by runs in the order
// of their first values.
constexpr CaseRun toUpper[] = {
    {0x0061, 0x007A, 1, -32},  {0x00B5, 0x00B5, 1, 743},  {0x00E0, 0x00F6, 1, -32},
    {0x00F8, 0x00FE, 1, -32},  {0x00FF, 0x00FF, 1, 121},  {0x0101, 0x012F, 2, -1},
    {0x0131, 0x0131, 1, -232}, {0x0133, 0x0137, 2, -1},   {0x013A, 0x0148, 2, -1},
    {0x014B, 0x0177, 2, -1},   {0x017A, 0x017E, 2, -1},   {0x017F, 0x017F, 1, -300},
    {0x0371, 0x0373, 2, -1},   {0x0377, 0x0377, 1, -1},   {0x037B, 0x037D, 1, 130},
    {0x03AC, 0x03AC, 1, -38},  {0x03AD, 0x03AF, 1, -37},  {0x03B1, 0x03C1, 1, -32},
    {0x03C2, 0x03C2, 1, -31},  {0x03C3, 0x03CB, 1, -32},  {0x03CC, 0x03CC, 1, -64},
    {0x03CD, 0x03CE, 1, -63},  {0x03D0, 0x03D0, 1, -62},  {0x03D1, 0x03D1, 1, -57},
    {0x03D5, 0x03D5, 1, -47},  {0x03D6, 0x03D6, 1, -54},  {0x03D7, 0x03D7, 1, -8},
    {0x03D9, 0x03EF, 2, -1},   {0x03F0, 0x03F0, 1, -86},  {0x03F1, 0x03F1, 1, -80},
    {0x03F2, 0x03F2, 1, 7},    {0x03F3, 0x03F3, 1, -116}, {0x03F5, 0x03F5, 1, -96},
    {0x03F8, 0x03F8, 1, -1},   {0x03FB, 0x03FB, 1, -1},   {0x0430, 0x044F, 1, -32},
    {0x0450, 0x045F, 1, -80},  {0x0461, 0x0481, 2, -1},   {0x048B, 0x04BF, 2, -1},
    {0x04C2, 0x04CE, 2, -1},   {0x04CF, 0x04CF, 1, -15},  {0x04D1, 0x04FF, 2, -1},
    {0xFF41, 0xFF5A, 1, -32},
};

constexpr CaseRun toLower[] = {
    {0x0041, 0x005A, 1, 32},  {0x00C0, 0x00D6, 1, 32},   {0x00D8, 0x00DE, 1, 32},
    {0x0100, 0x012E, 2, 1},   {0x0130, 0x0130, 1, -199}, {0x0132, 0x0136, 2, 1},
    {0x0139, 0x0147, 2, 1},   {0x014A, 0x0176, 2, 1},    {0x0178, 0x0178, 1, -121},
    {0x0179, 0x017D, 2, 1},   {0x0370, 0x0372, 2, 1},    {0x0376, 0x0376, 1, 1},
    {0x037F, 0x037F, 1, 116}, {0x0386, 0x0386, 1, 38},   {0x0388, 0x038A, 1, 37},
    {0x038C, 0x038C, 1, 64},  {0x038E, 0x038F, 1, 63},   {0x0391, 0x03A1, 1, 32},
    {0x03A3, 0x03AB, 1, 32},  {0x03CF, 0x03CF, 1, 8},    {0x03D8, 0x03EE, 2, 1},
    {0x03F4, 0x03F4, 1, -60}, {0x03F7, 0x03F7, 1, 1},    {0x03F9, 0x03F9, 1, -7},
    {0x03FA, 0x03FA, 1, 1},   {0x03FD, 0x03FF, 1, -130}, {0x0400, 0x040F, 1, 80},
    {0x0410, 0x042F, 1, 32},  {0x0460, 0x0480, 2, 1},    {0x048A, 0x04BE, 2, 1},
    {0x04C0, 0x04C0, 1, 15},  {0x04C1, 0x04CD, 2, 1},    {0x04D0, 0x04FE, 2, 1},
    {0xFF21, 0xFF3A, 1, 32},
};

template <std::size_t N> char32_t inRuns(const CaseRun (&runs)[N], char32_t c) {
    const CaseRun* run = std::upper_bound(std::begin(runs), std::end(runs), c,
                                          [](char32_t v, const CaseRun& r) { return v < r.first; });
    if (run == std::begin(runs))
        return c;
    --run;
    if (c > run->last || (c - run->first) % run->stride != 0)
        return c;
    return static_cast<char32_t>(static_cast<long>(c) + run->delta);
}

unsigned char asciiInCase(unsigned char b, LetterCase letterCase) {
    if (letterCase == LetterCase::upper && b >= 'a' && b <= 'z')
        return static_cast<unsigned char>(b - 'a' + 'A');
    if (letterCase == LetterCase::lower && b >= 'A' && b <= 'Z')
        return static_cast<unsigned char>(b - 'A' + 'a');
    return b;
}

unsigned char byteAt(std::string_view text, std::size_t i) {
    return static_cast<unsigned char>(text[i]);
}

// The four pairs of 1252 whose letters lie apart: Š š, Œ œ, Ž ž, Ÿ ÿ.
constexpr unsigned char westernUpper[] = {0x8A, 0x8C, 0x8E, 0x9F};
constexpr unsigned char westernLower[] = {0x9A, 0x9C, 0x9E, 0xFF};

unsigned char westernInCase(unsigned char b, LetterCase letterCase) {
    const bool upper = letterCase == LetterCase::upper;
    const unsigned char* from = upper ? westernLower : westernUpper;
    const unsigned char* to = upper ? westernUpper : westernLower;
    for (std::size_t i = 0; i < std::size(westernUpper); ++i)
        if (b == from[i])
            return to[i];
    // À to Þ and à to þ, but for × and ÷.
    if (upper && b >= 0xE0 && b <= 0xFE && b != 0xF7)
        return static_cast<unsigned char>(b - 0x20);
    if (!upper && b >= 0xC0 && b <= 0xDE && b != 0xD7)
        return static_cast<unsigned char>(b + 0x20);
    return asciiInCase(b, letterCase);
}

// The Cyrillic letters of 932: А to Я at 8440-8460, а to я at 8470-847E and 8480-8491, which
// leave out 847F, no second byte of the code page.
constexpr unsigned cyrillicUpper = 0x8440;
constexpr unsigned cyrillicLetters = 33;
constexpr unsigned cyrillicLower = 0x8470;
constexpr unsigned cyrillicLowerGap = 0x847F;

unsigned shiftJisInCase(unsigned value, LetterCase letterCase) {
    if (letterCase == LetterCase::upper) {
        if (value >= 0x8281 && value <= 0x829A) // ａ to ｚ
            return value - 0x21;
        if (value >= 0x83BF && value <= 0x83D6) // α to ω
            return value - 0x20;
        if (value >= cyrillicLower && value <= cyrillicLower + cyrillicLetters &&
            value != cyrillicLowerGap)
            return cyrillicUpper + (value - cyrillicLower) - (value > cyrillicLowerGap ? 1 : 0);
        return value;
    }
    if (value >= 0x8260 && value <= 0x8279) // Ａ to Ｚ
        return value + 0x21;
    if (value >= 0x839F && value <= 0x83B6) // Α to Ω
        return value + 0x20;
    if (value >= cyrillicUpper && value < cyrillicUpper + cyrillicLetters) {
        const unsigned lower = cyrillicLower + (value - cyrillicUpper);
        return lower >= cyrillicLowerGap ? lower + 1 : lower;
    }
    return value;
}

void appendUtf8(char32_t c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

void appendAsciiInCase(std::string_view character, LetterCase letterCase, std::string& out) {
    if (character.size() == 1)
        out += static_cast<char>(asciiInCase(byteAt(character, 0), letterCase));
    else
        out += character;
}

void appendWesternInCase(std::string_view character, LetterCase letterCase, std::string& out) {
    if (character.size() == 1)
        out += static_cast<char>(westernInCase(byteAt(character, 0), letterCase));
    else
        out += character;
}

void appendShiftJisInCase(std::string_view character, LetterCase letterCase, std::string& out) {
    if (character.size() == 1) {
        out += static_cast<char>(asciiInCase(byteAt(character, 0), letterCase));
        return;
    }
    if (character.size() != 2) {
        out += character;
        return;
    }
    const unsigned value =
        shiftJisInCase(byteAt(character, 0) << 8 | byteAt(character, 1), letterCase);
    out += static_cast<char>(value >> 8);
    out += static_cast<char>(value & 0xFF);
}

// Every letter with another case lies below U+10000, so a four-byte sequence stays as it is.
void appendUtf8InCase(std::string_view character, LetterCase letterCase, std::string& out) {
    char32_t c = 0;
    if (character.size() == 1 && byteAt(character, 0) < 0x80)
        c = byteAt(character, 0);
    else if (character.size() == 2 && (byteAt(character, 0) & 0xE0) == 0xC0)
        c = static_cast<char32_t>((byteAt(character, 0) & 0x1F) << 6 |
                                  (byteAt(character, 1) & 0x3F));
    else if (character.size() == 3 && (byteAt(character, 0) & 0xF0) == 0xE0)
        c = static_cast<char32_t>((byteAt(character, 0) & 0x0F) << 12 |
                                  (byteAt(character, 1) & 0x3F) << 6 |
                                  (byteAt(character, 2) & 0x3F));
    else {
        out += character;
        return;
    }
    const char32_t mapped =
        letterCase == LetterCase::upper ? inRuns(toUpper, c) : inRuns(toLower, c);
    if (mapped == c)
        out += character;
    else
        appendUtf8(mapped, out);
}
