#pragma once

#include <array>
#include <cstdint>
#include <cstring>

// The 54-byte block that every call of the regex library takes, little-endian. The system
// writes only `size`, `startOffset` and the 16-bit field at offset 28; the library owns the
// bytes at 4, 12 and 30 and writes `matchLength` and `matchPosition` when it matches.
class MatchRecord {
  public:
    static constexpr int recordSize = 54;

    void clear() { bytes_.fill(0); }
    void* data() { return bytes_.data(); }
    const unsigned char* bytes() const { return bytes_.data(); }

    std::int32_t size() const { return read32(0); }
    void setSize(std::int32_t v) { write32(0, v); }
    std::int32_t startOffset() const { return read32(8); }
    void setStartOffset(std::int32_t v) { write32(8, v); }
    std::int32_t matchLength() const { return read32(20); }
    std::int32_t matchPosition() const { return read32(24); }
    std::uint16_t openedField() const {
        return static_cast<std::uint16_t>(bytes_[28] | bytes_[29] << 8);
    }
    void setOpenedField(std::uint16_t v) {
        bytes_[28] = static_cast<unsigned char>(v & 0xFF);
        bytes_[29] = static_cast<unsigned char>(v >> 8);
    }

  private:
    std::int32_t read32(int at) const {
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i)
            v = v << 8 | bytes_[at + i];
        std::int32_t s;
        std::memcpy(&s, &v, sizeof s);
        return s;
    }
    void write32(int at, std::int32_t s) {
        std::uint32_t v;
        std::memcpy(&v, &s, sizeof v);
        for (int i = 0; i < 4; ++i)
            bytes_[at + i] = static_cast<unsigned char>(v >> (8 * i) & 0xFF);
    }

    std::array<unsigned char, recordSize> bytes_{};
};
