#pragma once

#include "char_class.h"

#include <cstdint>
#include <vector>

namespace jre32 {

// One instruction of a compiled pattern.
//
// Repetitions whose body can match the empty string are "tracked": an iteration of one that
// matches the empty string ends the repetition, as in a backtracking matcher, at the priority
// of the way through the body that matched nothing. To see that, the matcher carries with each
// way through the program, between two characters, the outermost tracked repetition whose
// iteration began at the current position (its depth among the tracked repetitions around it,
// or `depth` of the instruction when none did).
struct Instruction {
    enum class Op : std::uint8_t {
        character, // the text's next character has value `arg`; go on at `next`
        any,       // any next character
        set,       // the next character is in sets[arg]
        split,     // go on at `next`, and with lower priority at `alternative`
        jump,      // go on at `next`
        enter,     // the first iteration of the tracked repetition of depth `arg` begins
        repeat,    // the end of an iteration of the tracked repetition of depth `arg`: when
                   // that iteration began at this position, go on at `alternative`, the exit;
                   // otherwise begin another iteration at `next` and, with higher priority when
                   // `lazy`, leave at `alternative`
        textStart, // only at the start of the text (of its reading: the end of the text for a
                   // reversed program)
        textEnd,   // only at the end of the text (of its reading: the start of the text for a
                   // reversed program)
        match,     // the pattern has matched
    };

    Op op;
    std::uint32_t arg = 0;
    int next = 0;
    int alternative = 0;
    bool lazy = false;
    // The number of tracked repetitions this instruction lies in.
    int depth = 0;
};

// A compiled pattern: instructions from 0, ending in the one `match`.
struct Program {
    std::vector<Instruction> code;
    std::vector<CharClass> sets;
};

// Calls f(low, high) for every range of character values the instruction takes: one for a
// character, those of its set for a set; none for `any`, which takes every value and so tells
// none apart, nor for an instruction that takes no character.
template <typename F>
void forEachRange(const Program& program, const Instruction& instruction, F f) {
    if (instruction.op == Instruction::Op::character)
        f(instruction.arg, instruction.arg);
    else if (instruction.op == Instruction::Op::set)
        for (const CharClass::Range& r : program.sets[instruction.arg].ranges())
            f(r.low, r.high);
}

} // namespace jre32
