#include "encoding.h"

namespace jre32 {

namespace {

bool isLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool isTrailByte(unsigned char b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

// Code page 932: a lead byte and a trail byte make one character worth lead * 256 + trail; a
// lead byte without a trail byte behind it is a character of its own.
class ShiftJisEncoding final : public Encoding {
  public:
    Character at(const unsigned char* text, std::size_t size, std::size_t at) const override {
        unsigned char lead = text[at];
        if (isLeadByte(lead) && at + 1 < size && isTrailByte(text[at + 1]))
            return {static_cast<std::uint32_t>(lead) << 8 | text[at + 1], 2};
        return {lead, 1};
    }
};

// Constant-initialised at load: a function-local static would take a lock of the thread
// library on first use, and that library keeps a thread-local slot it never gives back when
// the regex library is unloaded, so a process that loads it for every match would run out.
const ShiftJisEncoding encoding;

} // namespace

const Encoding& shiftJisEncoding() {
    return encoding;
}

} // namespace jre32
