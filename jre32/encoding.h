#pragma once

#include "character_walk.h"

#include <cstddef>

namespace jre32 {

// How a code page splits a byte string into characters. Both the parser and the matchers ask
// it for characters and never look at bytes themselves; the matchers' inner loops take its
// walk (character_walk.h) by its kind.
class Encoding {
  public:
    enum class Kind { singleByte, shiftJis, utf8 };

    virtual ~Encoding() = default;
    virtual Kind kind() const = 0;
    // The character that begins at text[at], for at < size: never longer than the bytes left.
    virtual Character at(const unsigned char* text, std::size_t size, std::size_t at) const = 0;
    // The first character boundary at or after `at` (at <= size), as a walk by characters from
    // the text's first byte finds it, found from the few bytes before `at`.
    virtual std::size_t boundaryFrom(const unsigned char* text, std::size_t size,
                                     std::size_t at) const = 0;
};

const Encoding& shiftJisEncoding();
const Encoding& utf8Encoding();
const Encoding& singleByteEncoding();

// 932 is Shift-JIS, 65001 UTF-8, every other code page single-byte.
const Encoding& encodingFor(int codePage);

} // namespace jre32
