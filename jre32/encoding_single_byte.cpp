#include "encoding.h"

namespace jre32 {

namespace {

// Every code page but 932 and 65001: each byte is a character worth the byte.
class SingleByteEncoding final : public Encoding {
  public:
    Character at(const unsigned char* text, std::size_t, std::size_t at) const override {
        return {text[at], 1};
    }
};

// Constant-initialised at load: a function-local static would take a lock of the thread
// library on first use, and that library keeps a thread-local slot it never gives back when
// the regex library is unloaded, so a process that loads it for every match would run out.
const SingleByteEncoding encoding;

} // namespace

const Encoding& singleByteEncoding() {
    return encoding;
}

} // namespace jre32
