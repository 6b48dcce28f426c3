#include "pike.h"

#include <utility>

namespace jre32 {

PikeVm::PikeVm(const Program& program) : program_(program), closure_(program) {
    std::size_t size = program.code.size();
    for (Threads* list : {&current_, &next_}) {
        list->pcs.reserve(size);
        list->starts.reserve(size);
    }
}

void PikeVm::addThread(Threads& list, int pc, std::size_t start, std::size_t at, std::size_t size) {
    closure_.add(pc, at == 0, at == size, list.pcs);
    list.starts.resize(list.pcs.size(), start);
}

bool PikeVm::search(const unsigned char* text, std::size_t size, std::size_t start,
                    const Encoding& encoding, std::size_t& position, std::size_t& length) {
    switch (encoding.kind()) {
    case Encoding::Kind::shiftJis:
        return run<ShiftJisWalk>(text, size, start, position, length);
    case Encoding::Kind::utf8:
        return run<Utf8Walk>(text, size, start, position, length);
    case Encoding::Kind::singleByte:
        break;
    }
    return run<SingleByteWalk>(text, size, start, position, length);
}

template <typename Walk>
bool PikeVm::run(const unsigned char* text, std::size_t size, std::size_t start,
                 std::size_t& position, std::size_t& length) {
    bool matched = false;
    current_.clear();
    closure_.beginStep();
    for (std::size_t at = start;;) {
        if (!matched)
            addThread(current_, 0, at, at, size);
        if (current_.pcs.empty() && matched)
            break;
        Character c = at < size ? Walk::at(text, size, at) : Character{0, 0};
        closure_.beginStep();
        next_.clear();
        for (std::size_t i = 0; i < current_.pcs.size(); ++i) {
            const Instruction& instruction =
                program_.code[static_cast<std::size_t>(current_.pcs[i])];
            if (instruction.op == Instruction::Op::match) {
                matched = true;
                position = current_.starts[i];
                length = at - current_.starts[i];
                break;
            }
            if (c.length != 0 && takes(program_, instruction, c.value))
                addThread(next_, instruction.next, current_.starts[i],
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
