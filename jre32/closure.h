#pragma once

#include "program.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace jre32 {

// The ways from an instruction through the program's empty-width instructions (jumps, splits,
// the bookkeeping of tracked repetitions, assertions) to the instructions that take a
// character or match, in priority order. Within one step (the position between two
// characters) each instruction is reached at most once for each tracked-repetition context
// (see Instruction), by marking it with the step; instructions that take a character or match
// are reached once whatever the context. The Pike VM and the DFA both build their thread
// lists with it, so they order threads alike.
class Closure {
  public:
    explicit Closure(const Program& program);

    // Begins a new step: every instruction may be reached again.
    void beginStep() { ++step_; }

    // Appends to `out` the instructions that take a character or match reached from pc,
    // skipping those reached before in the same context in this step; `atTextStart` and
    // `atTextEnd` say which assertions hold.
    void add(int pc, bool atTextStart, bool atTextEnd, std::vector<int>& out);

  private:
    // An instruction still to be followed in the current step, with its context.
    struct Pending {
        int pc;
        int context;
    };

    const Program& program_;
    // The marks of instruction pc lie from firstMark_[pc], one per context.
    std::vector<std::size_t> firstMark_;
    std::vector<std::uint64_t> marks_;
    std::vector<Pending> stack_;
    std::uint64_t step_ = 1;
};

// Whether the instruction takes a character.
inline bool takesCharacter(Instruction::Op op) {
    return op == Instruction::Op::character || op == Instruction::Op::any ||
           op == Instruction::Op::set;
}

// Whether the instruction, one that takes a character, takes one of value `value`.
inline bool takes(const Program& program, const Instruction& instruction, std::uint32_t value) {
    switch (instruction.op) {
    case Instruction::Op::character:
        return value == instruction.arg;
    case Instruction::Op::any:
        return true;
    case Instruction::Op::set:
        return program.sets[instruction.arg].contains(value);
    default:
        return false;
    }
}

} // namespace jre32
