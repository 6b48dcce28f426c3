#pragma once

#include "result.h"

#include <cstdint>

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

// The 54-byte record the caller hands to every entry point. The library keeps its state only
// in its own bytes: a state word at 4, the compiled pattern's address at 12, and at 30 the last
// result, the pattern byte it concerns and the record's code page. Every field is read and
// written byte by byte, little-endian, since the record may lie at any alignment.
class Record {
  public:
    static constexpr std::int32_t recordSize = 54;

    explicit Record(void* bytes) : bytes_(static_cast<unsigned char*>(bytes)) {}

    // The caller's size field is 54; nothing else of the record may be touched otherwise.
    bool sized() const;
    // Sized and prepared by Jre2Open (and not closed since).
    bool opened() const;

    void open(int codePage);
    void close();

    std::int32_t startOffset() const { return read32(field::startOffset); }
    void setMatch(std::int32_t position, std::int32_t length);

    int codePage() const { return read32(field::codePage); }
    CompiledPattern* pattern() const;
    void setPattern(CompiledPattern* pattern);

    void setResult(Result result, std::int32_t at = 0);

  private:
    std::int32_t read32(int at) const;
    void write32(int at, std::int32_t value);
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
