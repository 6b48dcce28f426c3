#include "pike.h"

#include <utility>

namespace jre32 {

namespace {

using Op = Instruction::Op;

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
    marks_.assign(size, 0);
    // Each instruction is taken from the stack once per step and pushes at most two.
    stack_.reserve(2 * size + 1);
}

void PikeVm::addThread(std::vector<Thread>& list, int pc, std::size_t start, std::size_t at,
                       std::size_t size) {
    stack_.push_back(pc);
    while (!stack_.empty()) {
        int here = stack_.back();
        stack_.pop_back();
        if (marks_[static_cast<std::size_t>(here)] == step_)
            continue;
        marks_[static_cast<std::size_t>(here)] = step_;
        const Instruction& instruction = program_.code[static_cast<std::size_t>(here)];
        switch (instruction.op) {
        case Op::jump:
            stack_.push_back(instruction.next);
            break;
        case Op::split:
            stack_.push_back(instruction.alternative);
            stack_.push_back(instruction.next);
            break;
        case Op::textStart:
            if (at == 0)
                stack_.push_back(instruction.next);
            break;
        case Op::textEnd:
            if (at == size)
                stack_.push_back(instruction.next);
            break;
        default:
            list.push_back({here, start});
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
        if (current_.empty())
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
