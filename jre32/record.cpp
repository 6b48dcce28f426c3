#include "record.h"

#include <cstring>

namespace jre32 {

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
    bytes::writeLittle32(bytes_ + field::state, bytes::openedState);
    write32(field::codePage, codePage);
    setResult(Result::ok);
}

void Record::close() {
    clearLibraryBytes();
}

void Record::setPattern(CompiledPattern* pattern) {
    std::uintptr_t value;
    std::memcpy(&value, &pattern, sizeof value);
    auto address = static_cast<std::uint64_t>(value);
    for (int i = 0; i < 8; ++i)
        bytes_[field::pattern + i] = static_cast<unsigned char>(address >> (8 * i) & 0xFFu);
}

bool RecordView::sized() const {
    return bytes::sizedRecord(bytes_, Record::recordSize);
}

bool RecordView::opened() const {
    return bytes::openedRecord(bytes_, Record::recordSize);
}

Result RecordView::result() const {
    return static_cast<Result>(bytes::toSigned(bytes::readLittle32(bytes_ + field::result)));
}

std::int32_t RecordView::resultByte() const {
    return bytes::toSigned(bytes::readLittle32(bytes_ + field::resultByte));
}

} // namespace jre32
