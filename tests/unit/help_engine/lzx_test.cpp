#include "lzx.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

// The LZX block kinds that chmcmd's output does not use, which the real help file's test
// cannot reach: uncompressed blocks, aligned-offset blocks with repeated offsets, the call
// instruction (E8) translation, and streams that must be refused. The streams are built here
// bit by bit, every code length fixed so that each code is simply the symbol's index.

namespace help_engine {
namespace {

constexpr std::uint32_t window = 1 << 16;
constexpr int mainBits = 10;   // 256 literals + 32 slots * 8 = 512 symbols, all 10 bits long
constexpr int lengthBits = 8;  // 249 symbols
constexpr int pretreeBits = 5; // 20 symbols
constexpr int alignedBits = 3; // 8 symbols

class BitWriter {
  public:
    void bits(std::uint32_t value, int n) {
        for (int shift = n - 1; shift >= 0; --shift) {
            word_ = static_cast<std::uint16_t>(word_ << 1 | ((value >> shift) & 1));
            if (++used_ == 16) {
                out_ += static_cast<char>(word_ & 0xFF);
                out_ += static_cast<char>(word_ >> 8);
                word_ = 0;
                used_ = 0;
            }
        }
    }
    // Padding before an uncompressed block, and at the end: 1 to 16 zero bits.
    void pad16() { bits(0, 16 - used_); }
    void raw(const std::string& bytes) { out_ += bytes; }
    void number(std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            out_ += static_cast<char>(value >> (8 * i) & 0xFF);
    }
    const std::string& bytes() const { return out_; }

    // Code lengths for `count` symbols that all had length 0 before and get `length` now.
    void lengths(int count, int length) {
        for (int i = 0; i < 20; ++i)
            bits(pretreeBits, 4);
        for (int i = 0; i < count; ++i)
            bits(static_cast<std::uint32_t>((17 - length) % 17), pretreeBits);
    }
    void blockHeader(int kind, std::uint32_t length) {
        bits(static_cast<std::uint32_t>(kind), 3);
        bits(length >> 8, 16);
        bits(length & 0xFF, 8);
    }
    void trees(bool aligned) {
        if (aligned) {
            for (int i = 0; i < 8; ++i)
                bits(alignedBits, 3);
        }
        lengths(256, mainBits);
        lengths(32 * 8, mainBits);
        lengths(249, lengthBits);
    }
    void literals(const std::string& text) {
        for (char c : text)
            bits(static_cast<std::uint8_t>(c), mainBits);
    }
    void match(std::uint32_t length, std::uint32_t slot, std::uint32_t offsetBits = 0,
               int extra = 0, bool aligned = false) {
        const std::uint32_t header = std::min<std::uint32_t>(length - 2, 7);
        bits(256 + slot * 8 + header, mainBits);
        if (header == 7)
            bits(length - 9, lengthBits);
        if (aligned && extra >= 3) {
            bits(offsetBits >> 3, extra - 3);
            bits(offsetBits & 7, alignedBits);
        } else {
            bits(offsetBits, extra);
        }
    }

  private:
    std::string out_;
    std::uint16_t word_ = 0;
    int used_ = 0;
};

std::optional<std::string> decode(BitWriter& writer, std::size_t length) {
    writer.pad16();
    static const std::vector<std::uint64_t> start = {0};
    LzxStream stream;
    stream.data = writer.bytes();
    stream.length = length;
    stream.frameOffsets = start;
    stream.windowSize = window;
    stream.resetFrames = 2;
    return decompressLzx(stream);
}

std::string little(std::int32_t value) {
    std::string bytes;
    for (int i = 0; i < 4; ++i)
        bytes += static_cast<char>(static_cast<std::uint32_t>(value) >> (8 * i) & 0xFF);
    return bytes;
}

TEST(Lzx, UncompressedBlockOfOddLengthThenVerbatimBlockWithItsRepeatedOffset) {
    BitWriter w;
    w.bits(0, 1); // no call translation
    w.blockHeader(3, 5);
    w.pad16();
    w.number(6);
    w.number(1);
    w.number(1);
    w.raw("hello");
    w.raw(std::string(1, '\0')); // an odd-sized uncompressed block is padded to an even size
    w.blockHeader(1, 6);
    w.trees(false);
    w.literals("-");
    w.match(5, 0); // repeated offset R0 = 6, stored by the uncompressed block
    EXPECT_EQ(decode(w, 11), "hello-hello");
}

TEST(Lzx, AlignedBlockOffsetsAndRepeatedOffsets) {
    BitWriter w;
    w.bits(0, 1);
    std::string text;
    for (int i = 0; i < 3; ++i)
        for (char c = 'A'; c <= 'Z'; ++c)
            text += c;
    w.blockHeader(2, 78 + 26 + 4 + 4);
    w.trees(true);
    w.literals(text);
    // Slot 11: base 48 and 4 extra bits, one verbatim bit and an aligned symbol for the low 3;
    // offset 60 is 48 - 2 + 14.
    w.match(26, 11, 14, 4, true);
    w.match(4, 3); // slot 3: offset 1, pushed onto the repeated offsets
    w.match(4, 1); // R1: the offset 60 again
    std::string expected = text;
    for (auto [length, offset] : {std::pair{26, 60}, {4, 1}, {4, 60}}) {
        for (int i = 0; i < length; ++i)
            expected += expected[expected.size() - static_cast<std::size_t>(offset)];
    }
    EXPECT_EQ(decode(w, expected.size()), expected);
}

TEST(Lzx, CallTranslationTurnsAbsoluteTargetsBackIntoRelativeOnes) {
    BitWriter w;
    w.bits(1, 1);
    w.bits(0, 16);
    w.bits(1000, 16);                                  // translation file size 1000
    const std::string stored = "ab\xE8" + little(110)  // a call at 2: 110 - 2 = 108
                               + "\xE8" + little(5000) // beyond the file size: kept
                               + "\xE8" + little(-3)   // -3 + 1000 = 997
                               + "0123456789";
    w.blockHeader(1, static_cast<std::uint32_t>(stored.size()));
    w.trees(false);
    w.literals(stored);
    const std::string expected =
        "ab\xE8" + little(108) + "\xE8" + little(5000) + "\xE8" + little(997) + "0123456789";
    EXPECT_EQ(decode(w, stored.size()), expected);
}

TEST(Lzx, DamagedStreamsAreRefused) {
    {
        BitWriter w; // a match that reaches before the start of the output
        w.bits(0, 1);
        w.blockHeader(1, 4);
        w.trees(false);
        w.literals("a");
        w.match(3, 5, 1, 1); // slot 5: base 6, offset 6 + 1 - 2 = 5 > 1
        EXPECT_FALSE(decode(w, 4));
    }
    {
        BitWriter w; // a stream that ends before its block does
        w.bits(0, 1);
        w.blockHeader(1, 400);
        w.trees(false);
        w.literals("abc");
        EXPECT_FALSE(decode(w, 400));
    }
    {
        BitWriter w; // block kind 5
        w.bits(0, 1);
        w.blockHeader(5, 4);
        EXPECT_FALSE(decode(w, 4));
    }
    {
        BitWriter w; // every main symbol one bit long: over-subscribed
        w.bits(0, 1);
        w.blockHeader(1, 4);
        w.lengths(256, 1);
        EXPECT_FALSE(decode(w, 4));
    }
}

} // namespace
} // namespace help_engine
