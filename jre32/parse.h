#pragma once

#include "encoding.h"
#include "result.h"
#include "syntax.h"

#include <cstddef>

namespace jre32 {

// The deepest nesting of parentheses a pattern may have.
constexpr int maxNesting = 200;

// Parses `size` bytes of pattern into `parsed`. On a malformed pattern gives false and the
// error with the pattern byte it was found at.
bool parse(const unsigned char* pattern, std::size_t size, const Encoding& encoding,
           ParsedPattern& parsed, ParseError& error);

} // namespace jre32
