#include "encoding.h"

namespace jre32 {

namespace {

// An encoding that answers with one of the walks the matchers' inner loops take.
template <typename Walk, Encoding::Kind kindOfWalk> class WalkEncoding final : public Encoding {
  public:
    Kind kind() const override { return kindOfWalk; }
    Character at(const unsigned char* text, std::size_t size, std::size_t at) const override {
        return Walk::at(text, size, at);
    }
    std::size_t boundaryFrom(const unsigned char* text, std::size_t size,
                             std::size_t at) const override {
        return at == size ? size : Walk::nextBoundary(text, size, 0, at);
    }
};

// Constant-initialised at load: a function-local static would take a lock of the thread
// library on first use, and that library keeps a thread-local slot it never gives back when
// the regex library is unloaded, so a process that loads it for every match would run out.
const WalkEncoding<ShiftJisWalk, Encoding::Kind::shiftJis> shiftJis;
const WalkEncoding<Utf8Walk, Encoding::Kind::utf8> utf8;
const WalkEncoding<SingleByteWalk, Encoding::Kind::singleByte> singleByte;

} // namespace

const Encoding& shiftJisEncoding() {
    return shiftJis;
}

const Encoding& utf8Encoding() {
    return utf8;
}

const Encoding& singleByteEncoding() {
    return singleByte;
}

const Encoding& encodingFor(int codePage) {
    if (codePage == 932)
        return shiftJis;
    if (codePage == 65001)
        return utf8;
    return singleByte;
}

} // namespace jre32
