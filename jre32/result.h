#pragma once

#include <cstdint>

namespace jre32 {

// The outcome of the last call on a record, kept in the record for GetJreMessage.
enum class Result : std::int32_t {
    ok,
    noMatch,
    noPattern,
    noText,
    notCompiled,
    startOutOfRange,
    textTooLong,
    patternTooLong,
    nestedTooDeeply,
    unbalancedParenthesis,
    nothingToRepeat,
    repetitionAfterRepetition,
    unterminatedBracket,
    reversedRange,
    trailingBackslash,
    badHexEscape,
    nulCharacter,
    outOfMemory,
};

// A compile error and the pattern byte it was found at.
struct ParseError {
    Result result;
    std::int32_t at;
};

// The description of a result: a fixed text, followed by " at byte N" (N the pattern byte of
// the error) when `atByte` is set.
struct Description {
    const char* text;
    bool atByte;
};

Description describe(Result result);

// The descriptions of records that hold no result.
constexpr Description noRecordDescription{"no record", false};
constexpr Description badSizeDescription{"record size is not 54", false};
constexpr Description notOpenedDescription{"record not opened", false};

} // namespace jre32
