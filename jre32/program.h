#pragma once

#include "char_class.h"

#include <cstdint>
#include <vector>

namespace jre32 {

// One instruction of a compiled pattern.
struct Instruction {
    enum class Op : std::uint8_t {
        character, // the text's next character has value `arg`; go on at the next instruction
        any,       // any next character
        set,       // the next character is in sets[arg]
        split,     // go on at `next`, and with lower priority at `alternative`
        jump,      // go on at `next`
        textStart, // only at the start of the text
        textEnd,   // only at the end of the text
        match,     // the pattern has matched
    };

    Op op;
    std::uint32_t arg = 0;
    int next = 0;
    int alternative = 0;
};

// A compiled pattern: instructions from 0, ending in the one `match`.
struct Program {
    std::vector<Instruction> code;
    std::vector<CharClass> sets;
};

} // namespace jre32
