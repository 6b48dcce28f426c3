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

} // namespace

const Encoding& singleByteEncoding() {
    static const SingleByteEncoding encoding;
    return encoding;
}

} // namespace jre32
