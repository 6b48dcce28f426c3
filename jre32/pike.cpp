#include "pike.h"

#include <algorithm>
#include <utility>

namespace jre32 {

namespace {

using Op = Instruction::Op;

bool takesCharacter(Op op) {
    return op == Op::character || op == Op::any || op == Op::set;
}

// Whether the thread at `instruction` takes the character c.
bool takes(const Program& program, const Instruction& instruction, Character c) {
    switch (instruction.op) {
    case Op::character:
        return c.value == instruction.arg;
    case Op::any:
        return true;
    case Op::set:
        return program.sets[instruction.arg].contains(c.value);
    default:
        return false;
    }
}

} // namespace

PikeVm::PikeVm(const Program& program) : program_(program) {
    std::size_t size = program.code.size();
    current_.reserve(size);
    next_.reserve(size);
    std::size_t markCount = 0;
    firstMark_.reserve(size);
    for (const Instruction& instruction : program.code) {
        firstMark_.push_back(markCount);
        bool contextFree = takesCharacter(instruction.op) || instruction.op == Op::match;
        markCount += contextFree ? 1 : static_cast<std::size_t>(instruction.depth) + 1;
    }
    marks_.assign(markCount, 0);
    // Each mark is taken from the stack once per step and pushes at most two.
    stack_.reserve(2 * markCount + 1);
}

// Puts pc on the stack with the context, which cannot reach deeper than pc's own nesting.
void PikeVm::follow(int pc, int context) {
    stack_.push_back({pc, std::min(context, program_.code[static_cast<std::size_t>(pc)].depth)});
}

void PikeVm::addThread(std::vector<Thread>& list, int pc, std::size_t start, std::size_t at,
                       std::size_t size) {
    follow(pc, program_.code[static_cast<std::size_t>(pc)].depth);
    while (!stack_.empty()) {
        Pending pending = stack_.back();
        stack_.pop_back();
        const Instruction& instruction = program_.code[static_cast<std::size_t>(pending.pc)];
        bool contextFree = takesCharacter(instruction.op) || instruction.op == Op::match;
        std::size_t mark = firstMark_[static_cast<std::size_t>(pending.pc)] +
                           (contextFree ? 0 : static_cast<std::size_t>(pending.context));
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
            if (at == 0)
                follow(instruction.next, pending.context);
            break;
        case Op::textEnd:
            if (at == size)
                follow(instruction.next, pending.context);
            break;
        default:
            list.push_back({pending.pc, start});
            break;
        }
    }
}

bool PikeVm::search(const unsigned char* text, std::size_t size, std::size_t start,
                    const Encoding& encoding, std::size_t& position, std::size_t& length) {
    bool matched = false;
    current_.clear();
    ++step_;
    for (std::size_t at = start;;) {
        if (!matched)
            addThread(current_, 0, at, at, size);
        if (current_.empty() && matched)
            break;
        Character c = at < size ? encoding.at(text, size, at) : Character{0, 0};
        ++step_;
        next_.clear();
        for (const Thread& thread : current_) {
            const Instruction& instruction = program_.code[static_cast<std::size_t>(thread.pc)];
            if (instruction.op == Op::match) {
                matched = true;
                position = thread.start;
                length = at - thread.start;
                break;
            }
            if (c.length != 0 && takes(program_, instruction, c))
                addThread(next_, instruction.next, thread.start,
                          at + static_cast<std::size_t>(c.length), size);
        }
        std::swap(current_, next_);
        if (c.length == 0)
            break;
        at += static_cast<std::size_t>(c.length);
    }
    return matched;
}

} // namespace jre32
