#include "lzx.h"

#include <algorithm>
#include <array>
#include <vector>

// The stream is a series of 32 KiB frames. The decoder's state is reset at the start of every
// reset interval; after each frame the bits are realigned to a 16-bit boundary. Bits come from
// little-endian 16-bit words, most significant bit first. A frame holds blocks of three kinds:
// verbatim and aligned-offset blocks, coded with prefix codes that each block sends first, and
// uncompressed blocks.

namespace help_engine {

namespace {

constexpr std::size_t frameSize = 0x8000;
constexpr int numChars = 256;
constexpr int primaryLengths = 7;
constexpr int secondaryLengths = 249;
constexpr int minMatch = 2;
constexpr int pretreeSymbols = 20;
constexpr int alignedSymbols = 8;
constexpr int maxPositionSlots = 50;
constexpr int maxMainElements = numChars + maxPositionSlots * 8;
// Call translation covers the first 32768 frames only.
constexpr std::uint64_t translatedFrames = 32768;

enum BlockType { noBlock = 0, verbatimBlock = 1, alignedBlock = 2, uncompressedBlock = 3 };

// Position slots by window size in bits, 15 to 21.
constexpr int positionSlots[] = {30, 32, 34, 36, 38, 42, 50};

constexpr int extraBits(int slot) {
    return slot < 4 ? 0 : std::min(slot / 2 - 1, 17);
}

constexpr std::array<std::uint32_t, maxPositionSlots + 1> positionBase = [] {
    std::array<std::uint32_t, maxPositionSlots + 1> base{};
    for (int slot = 1; slot <= maxPositionSlots; ++slot)
        base[slot] = base[slot - 1] + (1u << extraBits(slot - 1));
    return base;
}();

// Past the end of the data the reader gives zero bits; the decoder fails once it has taken
// more bits than the data holds.
class BitReader {
  public:
    explicit BitReader(std::string_view data) : data_(data) {}

    void seek(std::uint64_t byteOffset) {
        pos_ = byteOffset;
        buffer_ = 0;
        count_ = 0;
    }
    std::uint32_t peek(int n) {
        fill(n);
        return static_cast<std::uint32_t>((buffer_ >> (count_ - n)) & ((1u << n) - 1));
    }
    void skip(int n) {
        fill(n);
        count_ -= n;
        buffer_ &= (std::uint64_t{1} << count_) - 1;
    }
    std::uint32_t bits(int n) {
        if (n == 0)
            return 0;
        const std::uint32_t value = peek(n);
        skip(n);
        return value;
    }
    void align16() { skip(count_ % 16); }
    std::uint64_t bitPosition() const { return pos_ * 8 - static_cast<std::uint64_t>(count_); }
    bool overran() const { return bitPosition() > std::uint64_t{data_.size()} * 8; }

    // One byte of an uncompressed block, read straight from the data; false at its end.
    bool byte(std::uint8_t& value) {
        if (count_ != 0 || pos_ >= data_.size())
            return false;
        value = static_cast<std::uint8_t>(data_[pos_++]);
        return true;
    }

  private:
    std::uint32_t at(std::uint64_t i) const { return static_cast<std::uint8_t>(data_[i]); }
    void fill(int need) {
        while (count_ < need) {
            std::uint32_t word = 0;
            if (pos_ + 1 < data_.size())
                word = at(pos_) | (at(pos_ + 1) << 8);
            else if (pos_ < data_.size())
                word = at(pos_);
            pos_ += 2;
            buffer_ = (buffer_ << 16) | word;
            count_ += 16;
        }
    }

    std::string_view data_;
    std::uint64_t pos_ = 0;
    std::uint64_t buffer_ = 0;
    int count_ = 0;
};

// A canonical prefix code: shorter codes first, equal lengths in symbol order. Decoding looks
// up as many next bits as the longest code has in a table of (symbol, length) entries.
class PrefixCode {
  public:
    // False when the lengths over-subscribe the code.
    bool build(const std::uint8_t* lengths, int count) {
        bits_ = *std::max_element(lengths, lengths + count);
        table_.assign(std::size_t{1} << bits_, 0);
        std::uint32_t code = 0;
        for (int length = 1; length <= bits_; ++length) {
            for (int symbol = 0; symbol < count; ++symbol) {
                if (lengths[symbol] != length)
                    continue;
                const std::uint32_t first = code << (bits_ - length);
                const std::uint32_t last = (code + 1) << (bits_ - length);
                if (last > table_.size())
                    return false;
                std::fill(table_.begin() + first, table_.begin() + last,
                          static_cast<std::uint16_t>(symbol << 5 | length));
                ++code;
            }
            code <<= 1;
        }
        return true;
    }

    // The next symbol, or -1 when the code is empty or the bits lie outside it.
    int decode(BitReader& reader) const {
        if (bits_ == 0)
            return -1;
        const std::uint16_t entry = table_[reader.peek(bits_)];
        if (entry == 0)
            return -1;
        reader.skip(entry & 31);
        return entry >> 5;
    }

  private:
    std::vector<std::uint16_t> table_;
    int bits_ = 0;
};

class Decoder {
  public:
    Decoder(const LzxStream& stream, int windowBits)
        : stream_(stream), reader_(stream.data),
          mainElements_(numChars + positionSlots[windowBits - 15] * 8) {}

    std::optional<std::string> run() {
        for (std::uint64_t frame = 0; out_.size() < stream_.length; ++frame) {
            if (frame % stream_.resetFrames == 0) {
                if (frame >= stream_.frameOffsets.size() ||
                    stream_.frameOffsets[frame] > stream_.data.size())
                    return std::nullopt;
                reader_.seek(stream_.frameOffsets[frame]);
                reset();
            }
            if (!headerRead_) {
                if (reader_.bits(1)) {
                    const std::int64_t high = reader_.bits(16);
                    intelFileSize_ = high << 16 | reader_.bits(16);
                }
                headerRead_ = true;
            }
            const std::size_t frameStart = out_.size();
            const std::size_t frameLength = static_cast<std::size_t>(
                std::min<std::uint64_t>(frameSize, stream_.length - frameStart));
            while (out_.size() - frameStart < frameLength) {
                if (blockRemaining_ == 0 && !startBlock())
                    return std::nullopt;
                const std::size_t todo = std::min<std::size_t>(
                    blockRemaining_, frameLength - (out_.size() - frameStart));
                std::size_t made = 0;
                if (!decodeRun(todo, made) || made > blockRemaining_)
                    return std::nullopt;
                blockRemaining_ -= static_cast<std::uint32_t>(made);
            }
            // A compressor may pad the last frame, so a match may run past the end of the text
            // there; inside the text no match crosses a frame boundary.
            const bool lastFrame = frameStart + frameLength == stream_.length;
            if (out_.size() - frameStart != frameLength && !lastFrame)
                return std::nullopt;
            out_.resize(frameStart + frameLength);
            reader_.align16();
            if (reader_.overran())
                return std::nullopt;
            undoIntelCalls(frameStart, frameLength, frame);
        }
        return std::move(out_);
    }

  private:
    void reset() {
        repeats_ = {1, 1, 1};
        mainLengths_.fill(0);
        lengthLengths_.fill(0);
        headerRead_ = false;
        intelFileSize_ = 0;
        intelStarted_ = false;
        blockType_ = noBlock;
        blockLength_ = 0;
        blockRemaining_ = 0;
    }

    // The code lengths of symbols first to last, as differences from their former lengths,
    // coded with a pretree that comes first.
    bool readLengths(std::uint8_t* lengths, int first, int last) {
        std::uint8_t pretreeLengths[pretreeSymbols];
        for (std::uint8_t& length : pretreeLengths)
            length = static_cast<std::uint8_t>(reader_.bits(4));
        if (!pretree_.build(pretreeLengths, pretreeSymbols))
            return false;
        const auto less = [](int length, int code) {
            return static_cast<std::uint8_t>(((length - code) % 17 + 17) % 17);
        };
        for (int index = first; index < last;) {
            const int code = pretree_.decode(reader_);
            int run = 1;
            std::uint8_t value = 0;
            if (code < 0) {
                return false;
            } else if (code == 17) {
                run = static_cast<int>(reader_.bits(4)) + 4;
            } else if (code == 18) {
                run = static_cast<int>(reader_.bits(5)) + 20;
            } else if (code == 19) {
                run = static_cast<int>(reader_.bits(1)) + 4;
                const int same = pretree_.decode(reader_);
                if (same < 0)
                    return false;
                value = less(lengths[index], same);
            } else {
                value = less(lengths[index], code);
            }
            if (index + run > last)
                return false;
            std::fill(lengths + index, lengths + index + run, value);
            index += run;
        }
        return true;
    }

    bool startBlock() {
        std::uint8_t padding = 0;
        if (blockType_ == uncompressedBlock && (blockLength_ & 1) && !reader_.byte(padding))
            return false;
        blockType_ = static_cast<int>(reader_.bits(3));
        const std::uint32_t high = reader_.bits(16);
        blockLength_ = high << 8 | reader_.bits(8);
        blockRemaining_ = blockLength_;
        if (blockType_ == verbatimBlock || blockType_ == alignedBlock) {
            if (blockType_ == alignedBlock) {
                std::uint8_t alignedLengths[alignedSymbols];
                for (std::uint8_t& length : alignedLengths)
                    length = static_cast<std::uint8_t>(reader_.bits(3));
                if (!aligned_.build(alignedLengths, alignedSymbols))
                    return false;
            }
            if (!readLengths(mainLengths_.data(), 0, numChars) ||
                !readLengths(mainLengths_.data(), numChars, mainElements_) ||
                !main_.build(mainLengths_.data(), mainElements_))
                return false;
            if (mainLengths_[0xE8] != 0)
                intelStarted_ = true;
            return readLengths(lengthLengths_.data(), 0, secondaryLengths) &&
                   length_.build(lengthLengths_.data(), secondaryLengths) && !reader_.overran();
        }
        if (blockType_ != uncompressedBlock)
            return false;
        intelStarted_ = true;
        // 1 to 16 bits of padding up to the next 16-bit boundary, then the repeated offsets.
        reader_.skip(16 - static_cast<int>(reader_.bitPosition() % 16));
        reader_.seek(reader_.bitPosition() / 8);
        for (std::uint32_t& repeat : repeats_) {
            std::uint8_t bytes[4];
            for (std::uint8_t& b : bytes) {
                if (!reader_.byte(b))
                    return false;
            }
            repeat = bytes[0] | bytes[1] << 8 | bytes[2] << 16 |
                     static_cast<std::uint32_t>(bytes[3]) << 24;
        }
        return true;
    }

    bool matchOffset(int slot, std::uint32_t& offset) {
        if (slot == 0) {
            offset = repeats_[0];
            return true;
        }
        if (slot == 1 || slot == 2) {
            offset = repeats_[slot];
            repeats_[slot] = repeats_[0];
            repeats_[0] = offset;
            return true;
        }
        const int extra = extraBits(slot);
        offset = positionBase[slot] - 2;
        if (blockType_ == alignedBlock && extra >= 3) {
            offset += reader_.bits(extra - 3) << 3;
            const int low = aligned_.decode(reader_);
            if (low < 0)
                return false;
            offset += static_cast<std::uint32_t>(low);
        } else {
            offset += reader_.bits(extra);
        }
        repeats_[2] = repeats_[1];
        repeats_[1] = repeats_[0];
        repeats_[0] = offset;
        return true;
    }

    // Decodes at least `todo` bytes of the current block; `made` tells how many it made.
    bool decodeRun(std::size_t todo, std::size_t& made) {
        if (blockType_ == uncompressedBlock) {
            for (; made < todo; ++made) {
                std::uint8_t value = 0;
                if (!reader_.byte(value))
                    return false;
                out_.push_back(static_cast<char>(value));
            }
            return true;
        }
        while (made < todo) {
            int element = main_.decode(reader_);
            if (element < 0)
                return false;
            if (element < numChars) {
                out_.push_back(static_cast<char>(element));
                ++made;
                continue;
            }
            element -= numChars;
            std::size_t length = static_cast<std::size_t>(element & primaryLengths);
            if (length == primaryLengths) {
                const int more = length_.decode(reader_);
                if (more < 0)
                    return false;
                length += static_cast<std::size_t>(more);
            }
            length += minMatch;
            std::uint32_t offset = 0;
            if (!matchOffset(element >> 3, offset) || offset == 0 || offset > out_.size())
                return false;
            const std::size_t start = out_.size() - offset;
            for (std::size_t i = 0; i < length; ++i)
                out_.push_back(out_[start + i]);
            made += length;
        }
        return true;
    }

    // The compressor turned the relative targets of x86 call instructions (E8) into absolute
    // ones; turn them back.
    void undoIntelCalls(std::size_t frameStart, std::size_t frameLength, std::uint64_t frame) {
        if (!intelStarted_ || intelFileSize_ == 0 || frame >= translatedFrames || frameLength <= 10)
            return;
        const std::size_t end = frameStart + frameLength - 10;
        for (std::size_t index = frameStart; index < end;) {
            if (static_cast<std::uint8_t>(out_[index]) != 0xE8) {
                ++index;
                continue;
            }
            std::uint32_t stored = 0;
            for (int i = 3; i >= 0; --i)
                stored = stored << 8 | static_cast<std::uint8_t>(out_[index + 1 + i]);
            const std::int64_t absolute = static_cast<std::int32_t>(stored);
            const auto position = static_cast<std::int64_t>(index);
            if (-position <= absolute && absolute < intelFileSize_) {
                const std::int64_t relative =
                    absolute >= 0 ? absolute - position : absolute + intelFileSize_;
                for (int i = 0; i < 4; ++i)
                    out_[index + 1 + i] = static_cast<char>((relative >> (8 * i)) & 0xFF);
            }
            index += 5;
        }
    }

    const LzxStream& stream_;
    BitReader reader_;
    int mainElements_;
    std::string out_;
    std::array<std::uint32_t, 3> repeats_{};
    std::array<std::uint8_t, maxMainElements> mainLengths_{};
    std::array<std::uint8_t, secondaryLengths> lengthLengths_{};
    PrefixCode pretree_;
    PrefixCode main_;
    PrefixCode length_;
    PrefixCode aligned_;
    bool headerRead_ = false;
    std::int64_t intelFileSize_ = 0;
    bool intelStarted_ = false;
    int blockType_ = noBlock;
    std::uint32_t blockLength_ = 0;
    std::uint32_t blockRemaining_ = 0;
};

} // namespace

std::optional<std::string> decompressLzx(const LzxStream& stream) {
    int windowBits = 0;
    while (windowBits < 32 && (std::uint64_t{1} << windowBits) < stream.windowSize)
        ++windowBits;
    if ((std::uint64_t{1} << windowBits) != stream.windowSize || windowBits < 15 ||
        windowBits > 21 || stream.resetFrames == 0)
        return std::nullopt;
    return Decoder(stream, windowBits).run();
}

} // namespace help_engine
