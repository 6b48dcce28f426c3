#include "closure.h"

#include <algorithm>

namespace jre32 {

namespace {

using Op = Instruction::Op;

bool contextFree(Op op) {
    return takesCharacter(op) || op == Op::match;
}

} // namespace

Closure::Closure(const Program& program) : program_(program) {
    std::size_t markCount = 0;
    firstMark_.reserve(program.code.size());
    for (const Instruction& instruction : program.code) {
        firstMark_.push_back(markCount);
        markCount +=
            contextFree(instruction.op) ? 1 : static_cast<std::size_t>(instruction.depth) + 1;
    }
    marks_.assign(markCount, 0);
    // In one call of add, each mark is taken from the stack once and pushes at most two.
    stack_.resize(2 * markCount + 1);
}

void Closure::add(int pc, bool atTextStart, bool atTextEnd, std::vector<int>& out) {
    const Instruction* code = program_.code.data();
    Pending* stack = stack_.data();
    std::size_t top = 0;
    // Puts an instruction on the stack with the context, which cannot reach deeper than the
    // instruction's own nesting.
    auto follow = [&](int to, int context) {
        stack[top++] = {to, std::min(context, code[static_cast<std::size_t>(to)].depth)};
    };
    follow(pc, code[static_cast<std::size_t>(pc)].depth);
    while (top > 0) {
        Pending pending = stack[--top];
        const Instruction& instruction = code[static_cast<std::size_t>(pending.pc)];
        std::size_t mark =
            firstMark_[static_cast<std::size_t>(pending.pc)] +
            (contextFree(instruction.op) ? 0 : static_cast<std::size_t>(pending.context));
        if (marks_[mark] == step_)
            continue;
        marks_[mark] = step_;
        switch (instruction.op) {
        case Op::jump:
            follow(instruction.next, pending.context);
            break;
        case Op::split:
            follow(instruction.alternative, pending.context);
            follow(instruction.next, pending.context);
            break;
        case Op::enter:
            follow(instruction.next, std::min(pending.context, static_cast<int>(instruction.arg)));
            break;
        case Op::repeat: {
            auto depth = static_cast<int>(instruction.arg);
            if (pending.context <= depth) {
                follow(instruction.alternative, pending.context);
            } else if (instruction.lazy) {
                follow(instruction.next, depth);
                follow(instruction.alternative, pending.context);
            } else {
                follow(instruction.alternative, pending.context);
                follow(instruction.next, depth);
            }
            break;
        }
        case Op::textStart:
            if (atTextStart)
                follow(instruction.next, pending.context);
            break;
        case Op::textEnd:
            if (atTextEnd)
                follow(instruction.next, pending.context);
            break;
        default:
            out.push_back(pending.pc);
            break;
        }
    }
}

} // namespace jre32
