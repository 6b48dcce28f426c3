#include "result.h"

namespace jre32 {

Description describe(Result result) {
    switch (result) {
    case Result::ok:
        return {"no error", false};
    case Result::noMatch:
        return {"no match", false};
    case Result::noPattern:
        return {"no pattern given", false};
    case Result::noText:
        return {"no text given", false};
    case Result::notCompiled:
        return {"no pattern compiled", false};
    case Result::startOutOfRange:
        return {"start offset out of range", false};
    case Result::textTooLong:
        return {"text too long", false};
    case Result::patternTooLong:
        return {"pattern too long", false};
    case Result::nestedTooDeeply:
        return {"parentheses nested too deeply", true};
    case Result::unbalancedParenthesis:
        return {"unbalanced parenthesis", true};
    case Result::nothingToRepeat:
        return {"nothing to repeat", true};
    case Result::repetitionAfterRepetition:
        return {"repetition after a repetition", true};
    case Result::unterminatedBracket:
        return {"unterminated bracket expression", true};
    case Result::reversedRange:
        return {"reversed range", true};
    case Result::trailingBackslash:
        return {"trailing backslash", true};
    case Result::badHexEscape:
        return {"bad \\x escape", true};
    case Result::nulCharacter:
        return {"NUL character", true};
    case Result::outOfMemory:
        return {"out of memory", false};
    }
    return {"unknown result", false};
}

} // namespace jre32
