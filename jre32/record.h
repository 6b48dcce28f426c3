#pragma once

#include "result.h"

#include <cstdint>
#include <cstring>

namespace jre32 {

class CompiledPattern;

// Byte offsets of the record's fields.
namespace field {
constexpr int size = 0;
constexpr int state = 4;
constexpr int startOffset = 8;
constexpr int pattern = 12;
constexpr int matchLength = 20;
constexpr int matchPosition = 24;
constexpr int result = 30;
constexpr int resultByte = 34;
constexpr int codePage = 38;
} // namespace field

// The record's bytes as numbers: little-endian, at any alignment. Inline, as every match reads
// and writes several fields.
namespace bytes {
inline std::uint32_t readLittle32(const unsigned char* at) {
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}
inline void writeLittle32(unsigned char* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<unsigned char>(value >> (8 * i) & 0xFFu);
}
inline std::int32_t toSigned(std::uint32_t value) {
    std::int32_t s;
    std::memcpy(&s, &value, sizeof s);
    return s;
}
inline std::uint32_t toUnsigned(std::int32_t value) {
    std::uint32_t u;
    std::memcpy(&u, &value, sizeof u);
    return u;
}
// The state word of an opened record: "JRE2" in its four bytes.
constexpr std::uint32_t openedState = 0x3245524Au;
inline bool sizedRecord(const unsigned char* record, std::int32_t size) {
    return toSigned(readLittle32(record + field::size)) == size;
}
inline bool openedRecord(const unsigned char* record, std::int32_t size) {
    return sizedRecord(record, size) && readLittle32(record + field::state) == openedState;
}
} // namespace bytes

// The 54-byte record the caller hands to every entry point. The library keeps its state only
// in its own bytes: a state word at 4, the compiled pattern's address at 12, and at 30 the last
// result, the pattern byte it concerns and the record's code page. Every field is read and
// written byte by byte, little-endian, since the record may lie at any alignment.
class Record {
  public:
    static constexpr std::int32_t recordSize = 54;

    explicit Record(void* bytes) : bytes_(static_cast<unsigned char*>(bytes)) {}

    // The caller's size field is 54; nothing else of the record may be touched otherwise.
    bool sized() const { return bytes::sizedRecord(bytes_, recordSize); }
    // Sized and prepared by Jre2Open (and not closed since).
    bool opened() const { return bytes::openedRecord(bytes_, recordSize); }

    void open(int codePage);
    void close();

    std::int32_t startOffset() const { return read32(field::startOffset); }
    void setMatch(std::int32_t position, std::int32_t length) {
        write32(field::matchPosition, position);
        write32(field::matchLength, length);
    }

    int codePage() const { return read32(field::codePage); }
    CompiledPattern* pattern() const {
        std::uint64_t address = 0;
        for (int i = 7; i >= 0; --i)
            address = address << 8 | bytes_[field::pattern + i];
        auto value = static_cast<std::uintptr_t>(address);
        CompiledPattern* compiled;
        std::memcpy(&compiled, &value, sizeof compiled);
        return compiled;
    }
    void setPattern(CompiledPattern* pattern);

    void setResult(Result result, std::int32_t at = 0) {
        write32(field::result, static_cast<std::int32_t>(result));
        write32(field::resultByte, at);
    }

  private:
    std::int32_t read32(int at) const { return bytes::toSigned(bytes::readLittle32(bytes_ + at)); }
    void write32(int at, std::int32_t value) {
        bytes::writeLittle32(bytes_ + at, bytes::toUnsigned(value));
    }
    void clearLibraryBytes();

    unsigned char* bytes_;
};

// The same record as seen by GetJreMessage, which only reads it.
class RecordView {
  public:
    explicit RecordView(const void* bytes) : bytes_(static_cast<const unsigned char*>(bytes)) {}

    bool sized() const;
    bool opened() const;
    Result result() const;
    std::int32_t resultByte() const;

  private:
    const unsigned char* bytes_;
};

} // namespace jre32
