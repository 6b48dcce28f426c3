#include "encoding.h"

namespace jre32 {

namespace {

// The value of a byte that begins no well-formed sequence: above every code point, so that a
// stray byte never equals a character.
constexpr std::uint32_t strayByteBase = 0x110000;

bool inRange(unsigned char b, unsigned char low, unsigned char high) {
    return b >= low && b <= high;
}

// Code page 65001: a well-formed UTF-8 sequence is one character worth its code point
// (overlong forms, surrogates and values beyond U+10FFFF are not well-formed).
class Utf8Encoding final : public Encoding {
  public:
    Character at(const unsigned char* text, std::size_t size, std::size_t at) const override {
        unsigned char b0 = text[at];
        if (b0 < 0x80)
            return {b0, 1};
        std::size_t left = size - at;
        auto stray = Character{strayByteBase + b0, 1};
        auto cont = [&](std::size_t i) { return i < left && inRange(text[at + i], 0x80, 0xBF); };
        if (inRange(b0, 0xC2, 0xDF)) {
            if (!cont(1))
                return stray;
            return {(b0 & 0x1Fu) << 6 | (text[at + 1] & 0x3Fu), 2};
        }
        if (inRange(b0, 0xE0, 0xEF)) {
            unsigned char low = b0 == 0xE0 ? 0xA0 : 0x80;
            unsigned char high = b0 == 0xED ? 0x9F : 0xBF;
            if (left < 2 || !inRange(text[at + 1], low, high) || !cont(2))
                return stray;
            return {(b0 & 0x0Fu) << 12 | (text[at + 1] & 0x3Fu) << 6 | (text[at + 2] & 0x3Fu), 3};
        }
        if (inRange(b0, 0xF0, 0xF4)) {
            unsigned char low = b0 == 0xF0 ? 0x90 : 0x80;
            unsigned char high = b0 == 0xF4 ? 0x8F : 0xBF;
            if (left < 2 || !inRange(text[at + 1], low, high) || !cont(2) || !cont(3))
                return stray;
            return {(b0 & 0x07u) << 18 | (text[at + 1] & 0x3Fu) << 12 |
                        (text[at + 2] & 0x3Fu) << 6 | (text[at + 3] & 0x3Fu),
                    4};
        }
        return stray;
    }
};

// Constant-initialised at load: a function-local static would take a lock of the thread
// library on first use, and that library keeps a thread-local slot it never gives back when
// the regex library is unloaded, so a process that loads it for every match would run out.
const Utf8Encoding encoding;

} // namespace

const Encoding& utf8Encoding() {
    return encoding;
}

} // namespace jre32
