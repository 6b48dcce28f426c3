#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace jre32 {

// One character of a byte string: its code value and how many bytes it takes.
struct Character {
    std::uint32_t value;
    int length;
};

// The characters of the three kinds of code page as inline functions, so that the matchers'
// inner loops can walk a text without a call per character; the Encoding objects wrap them
// for everything else. Each walk gives:
//   at(text, size, at)        the character that begins at text[at], for at < size; also for
//                             at == size when text[size] is a NUL, which it gives
//   Backward(text, floor)     walks back from a character boundary, never below floor (itself
//                             a boundary): before(end) is the character that ends at end, for
//                             floor < end; the ends must come in decreasing order
//   markFirstBytes(low, high, bytes)
//                             sets bytes[b] for every byte b that may begin a character whose
//                             value lies from low to high (it may set more)
//   nextBoundary(text, size, floor, at)
//                             the first character boundary at or after `at`, for at < size,
//                             given the boundary floor <= at: where a byte search that landed
//                             on `at` finds the next character

// Every code page but 932 and 65001: each byte is a character worth the byte.
struct SingleByteWalk {
    static Character at(const unsigned char* text, std::size_t, std::size_t at) {
        return {text[at], 1};
    }

    class Backward {
      public:
        Backward(const unsigned char* text, std::size_t) : text_(text) {}
        Character before(std::size_t end) const { return {text_[end - 1], 1}; }

      private:
        const unsigned char* text_;
    };

    static void markFirstBytes(std::uint32_t low, std::uint32_t high, bool* bytes) {
        for (std::uint32_t b = low; b <= high && b <= 0xFF; ++b)
            bytes[b] = true;
    }

    static std::size_t nextBoundary(const unsigned char*, std::size_t, std::size_t,
                                    std::size_t at) {
        return at;
    }
};

// Code page 932: a lead byte and a trail byte make one character worth lead * 256 + trail; a
// lead byte without a trail byte behind it is a character of its own.
struct ShiftJisWalk {
    static constexpr std::uint8_t lead = 1;
    static constexpr std::uint8_t trail = 2;
    static constexpr std::array<std::uint8_t, 256> kinds = [] {
        std::array<std::uint8_t, 256> k{};
        for (unsigned b = 0; b < 256; ++b)
            k[b] = static_cast<std::uint8_t>(
                ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC) ? lead : 0) |
                ((b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC) ? trail : 0));
        return k;
    }();

    static bool isLeadByte(unsigned char b) { return (kinds[b] & lead) != 0; }
    static bool isTrailByte(unsigned char b) { return (kinds[b] & trail) != 0; }

    static Character at(const unsigned char* text, std::size_t size, std::size_t at) {
        unsigned char first = text[at];
        if (isLeadByte(first) && at + 1 < size && isTrailByte(text[at + 1]))
            return {static_cast<std::uint32_t>(first) << 8 | text[at + 1], 2};
        return {first, 1};
    }

    // Every lead byte is also a trail byte, and a byte that is no lead byte ends a character
    // (it is one alone or the trail of a pair), so behind it lies a boundary. From there a run
    // of lead bytes pairs off two by two; whether the byte before `end` closes a pair depends
    // on the parity of its place in the run. The run's start is kept for the following steps,
    // so a walk back over a long run reads each byte a bounded number of times.
    class Backward {
      public:
        Backward(const unsigned char* text, std::size_t floor) : text_(text), floor_(floor) {}

        Character before(std::size_t end) {
            unsigned char last = text_[end - 1];
            if (end - floor_ < 2 || !isLeadByte(text_[end - 2]) || !isTrailByte(last))
                return {last, 1};
            std::size_t first = end - 2;
            if (!runKnown_ || runStart_ > first) {
                runStart_ = first;
                while (runStart_ > floor_ && isLeadByte(text_[runStart_ - 1]))
                    --runStart_;
                runKnown_ = true;
            }
            if ((first - runStart_) % 2 != 0)
                return {last, 1};
            return {static_cast<std::uint32_t>(text_[first]) << 8 | last, 2};
        }

      private:
        const unsigned char* text_;
        std::size_t floor_;
        std::size_t runStart_ = 0;
        bool runKnown_ = false;
    };

    static void markFirstBytes(std::uint32_t low, std::uint32_t high, bool* bytes) {
        for (std::uint32_t b = low; b <= high && b <= 0xFF; ++b)
            bytes[b] = true;
        if (high > 0xFF) {
            std::uint32_t lastLead = high > 0xFFFF ? 0xFF : high >> 8;
            for (std::uint32_t b = low > 0xFF ? low >> 8 : 0; b <= lastLead; ++b)
                bytes[b] = bytes[b] || isLeadByte(static_cast<unsigned char>(b));
        }
    }

    // The run of lead bytes that ends before `at` begins at a boundary and pairs off two by
    // two, as the walk back explains; the last one left, if any, pairs with the byte at `at`
    // when that is a trail byte.
    static std::size_t nextBoundary(const unsigned char* text, std::size_t, std::size_t floor,
                                    std::size_t at) {
        std::size_t runStart = at;
        while (runStart > floor && isLeadByte(text[runStart - 1]))
            --runStart;
        if ((at - runStart) % 2 == 0 || !isTrailByte(text[at]))
            return at;
        return at + 1;
    }
};

// Code page 65001: a well-formed UTF-8 sequence is one character worth its code point
// (overlong forms, surrogates and values beyond U+10FFFF are not well-formed); any other byte
// is a character worth 0x110000 + the byte, above every code point.
struct Utf8Walk {
    static constexpr std::uint32_t strayByteBase = 0x110000;

    static bool inRange(unsigned char b, unsigned char low, unsigned char high) {
        return b >= low && b <= high;
    }
    static bool isContinuation(unsigned char b) { return inRange(b, 0x80, 0xBF); }

    static Character at(const unsigned char* text, std::size_t size, std::size_t at) {
        unsigned char b0 = text[at];
        if (b0 < 0x80)
            return {b0, 1};
        std::size_t left = size - at;
        auto stray = Character{strayByteBase + b0, 1};
        auto cont = [&](std::size_t i) { return i < left && isContinuation(text[at + i]); };
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

    // A byte that is no continuation byte begins a character wherever it lies (a sequence
    // holds continuation bytes only behind its first byte), so the character that ends at
    // `end` begins at the last such byte within four bytes when the sequence there reaches
    // `end`, and is the byte before `end` alone otherwise.
    class Backward {
      public:
        Backward(const unsigned char* text, std::size_t floor) : text_(text), floor_(floor) {}

        Character before(std::size_t end) const {
            std::size_t first = end - 1;
            while (first > floor_ && end - first < 4 && isContinuation(text_[first]))
                --first;
            if (!isContinuation(text_[first])) {
                Character c = at(text_, end, first);
                if (first + static_cast<std::size_t>(c.length) == end)
                    return c;
            }
            return at(text_, end, end - 1);
        }

      private:
        const unsigned char* text_;
        std::size_t floor_;
    };

    static void markFirstBytes(std::uint32_t low, std::uint32_t high, bool* bytes) {
        for (std::uint32_t b = low; b <= high && b <= 0x7F; ++b)
            bytes[b] = true;
        if (high >= 0x80 && low <= 0x10FFFF)
            for (unsigned b = firstByte(low < 0x80 ? 0x80 : low);
                 b <= firstByte(high > 0x10FFFF ? 0x10FFFF : high); ++b)
                bytes[b] = true;
        if (high >= strayByteBase)
            for (std::uint32_t v = low > strayByteBase ? low : strayByteBase;
                 v <= high && v <= strayByteBase + 0xFF; ++v)
                bytes[v - strayByteBase] = true;
    }

    // A continuation byte at `at` lies inside the sequence of the last byte before it that is
    // none, if that sequence reaches past it; otherwise it is a character of its own.
    static std::size_t nextBoundary(const unsigned char* text, std::size_t size, std::size_t floor,
                                    std::size_t at) {
        std::size_t first = at;
        while (first > floor && at - first < 3 && isContinuation(text[first]))
            --first;
        if (first == at || isContinuation(text[first]))
            return at;
        std::size_t end = first + static_cast<std::size_t>(Utf8Walk::at(text, size, first).length);
        return end > at ? end : at;
    }

  private:
    // The first byte of the sequence of a code point from U+0080 on.
    static unsigned firstByte(std::uint32_t value) {
        if (value < 0x800)
            return 0xC0 | value >> 6;
        if (value < 0x10000)
            return 0xE0 | value >> 12;
        return 0xF0 | value >> 18;
    }
};

} // namespace jre32
