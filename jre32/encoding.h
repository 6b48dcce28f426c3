#pragma once

#include <cstddef>
#include <cstdint>

namespace jre32 {

// One character of a byte string: its code value and how many bytes it takes.
struct Character {
    std::uint32_t value;
    int length;
};

// How a code page splits a byte string into characters. Both the parser and the matcher ask
// it for characters and never look at bytes themselves.
class Encoding {
  public:
    virtual ~Encoding() = default;
    // The character that begins at text[at], for at < size: never longer than the bytes left.
    virtual Character at(const unsigned char* text, std::size_t size, std::size_t at) const = 0;
};

const Encoding& shiftJisEncoding();
const Encoding& utf8Encoding();
const Encoding& singleByteEncoding();

// 932 is Shift-JIS, 65001 UTF-8, every other code page single-byte.
const Encoding& encodingFor(int codePage);

} // namespace jre32
