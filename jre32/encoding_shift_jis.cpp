#include "encoding.h"

namespace jre32 {

namespace {

class ShiftJisEncoding final : public Encoding {
  public:
    Kind kind() const override { return Kind::shiftJis; }
    Character at(const unsigned char* text, std::size_t size, std::size_t at) const override {
        return ShiftJisWalk::at(text, size, at);
    }
    std::size_t boundaryFrom(const unsigned char* text, std::size_t size,
                             std::size_t at) const override {
        return at == size ? size : ShiftJisWalk::nextBoundary(text, size, 0, at);
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
