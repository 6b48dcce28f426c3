#include "record.h"

#include <cstring>

namespace jre32 {

namespace {

// The state word of an opened record: "JRE2" in its four bytes.
constexpr std::uint32_t openedState = 0x3245524Au;

std::uint32_t readLittle32(const unsigned char* at) {
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

void writeLittle32(unsigned char* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<unsigned char>(value >> (8 * i) & 0xFFu);
}

std::int32_t toSigned(std::uint32_t value) {
    std::int32_t s;
    std::memcpy(&s, &value, sizeof s);
    return s;
}

std::uint32_t toUnsigned(std::int32_t value) {
    std::uint32_t u;
    std::memcpy(&u, &value, sizeof u);
    return u;
}

bool sizedRecord(const unsigned char* bytes) {
    return toSigned(readLittle32(bytes + field::size)) == Record::recordSize;
}

bool openedRecord(const unsigned char* bytes) {
    return sizedRecord(bytes) && readLittle32(bytes + field::state) == openedState;
}

} // namespace

bool Record::sized() const {
    return sizedRecord(bytes_);
}

bool Record::opened() const {
    return openedRecord(bytes_);
}

std::int32_t Record::read32(int at) const {
    return toSigned(readLittle32(bytes_ + at));
}

void Record::write32(int at, std::int32_t value) {
    writeLittle32(bytes_ + at, toUnsigned(value));
}

// The match fields go too, so that a record opened again, or closed, never reads the match of
// an earlier use.
void Record::clearLibraryBytes() {
    std::memset(bytes_ + field::state, 0, 4);
    std::memset(bytes_ + field::pattern, 0, 8);
    std::memset(bytes_ + field::matchLength, 0, 8);
    std::memset(bytes_ + field::result, 0, recordSize - field::result);
}

void Record::open(int codePage) {
    clearLibraryBytes();
    writeLittle32(bytes_ + field::state, openedState);
    write32(field::codePage, codePage);
    setResult(Result::ok);
}

void Record::close() {
    clearLibraryBytes();
}

void Record::setMatch(std::int32_t position, std::int32_t length) {
    write32(field::matchPosition, position);
    write32(field::matchLength, length);
}

CompiledPattern* Record::pattern() const {
    std::uint64_t address = 0;
    for (int i = 7; i >= 0; --i)
        address = address << 8 | bytes_[field::pattern + i];
    auto value = static_cast<std::uintptr_t>(address);
    CompiledPattern* pattern;
    std::memcpy(&pattern, &value, sizeof pattern);
    return pattern;
}

void Record::setPattern(CompiledPattern* pattern) {
    std::uintptr_t value;
    std::memcpy(&value, &pattern, sizeof value);
    auto address = static_cast<std::uint64_t>(value);
    for (int i = 0; i < 8; ++i)
        bytes_[field::pattern + i] = static_cast<unsigned char>(address >> (8 * i) & 0xFFu);
}

void Record::setResult(Result result, std::int32_t at) {
    write32(field::result, static_cast<std::int32_t>(result));
    write32(field::resultByte, at);
}

bool RecordView::sized() const {
    return sizedRecord(bytes_);
}

bool RecordView::opened() const {
    return openedRecord(bytes_);
}

Result RecordView::result() const {
    return static_cast<Result>(toSigned(readLittle32(bytes_ + field::result)));
}

std::int32_t RecordView::resultByte() const {
    return toSigned(readLittle32(bytes_ + field::resultByte));
}

} // namespace jre32
