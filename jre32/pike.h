#pragma once

#include "encoding.h"
#include "program.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace jre32 {

// A Pike VM over one program: it runs every thread of the program in step over the text, one
// character at a time. Between two characters, each instruction is taken at most once for each
// tracked-repetition context (see Instruction), by marking it with the step at which a thread
// reached it; instructions that take a character are taken once whatever the context, so a
// step keeps at most one thread per instruction. Threads are kept in priority order, each
// carrying the position its match began at, so the first thread to reach `match` among those
// still alive is the leftmost-first match. Time is proportional to the text's characters times
// the program's size (times the nesting of tracked repetitions), memory to the program's size
// (times the same nesting).
class PikeVm {
  public:
    explicit PikeVm(const Program& program);

    // Searches the `size` bytes of text from the character boundary `start`. Gives true and
    // the match's byte position and length when one is found.
    bool search(const unsigned char* text, std::size_t size, std::size_t start,
                const Encoding& encoding, std::size_t& position, std::size_t& length);

  private:
    struct Thread {
        int pc;
        std::size_t start;
    };
    // An instruction still to be followed in the current step, with its context.
    struct Pending {
        int pc;
        int context;
    };

    // Adds the thread at `pc`, following jumps, splits and assertions that hold at `at`, to
    // `list`, in priority order; instructions reached before in the same context at this step
    // are skipped.
    void addThread(std::vector<Thread>& list, int pc, std::size_t start, std::size_t at,
                   std::size_t size);
    void follow(int pc, int context);

    const Program& program_;
    std::vector<Thread> current_;
    std::vector<Thread> next_;
    // The marks of instruction pc lie from firstMark_[pc], one per context.
    std::vector<std::size_t> firstMark_;
    std::vector<std::uint64_t> marks_;
    std::vector<Pending> stack_;
    std::uint64_t step_ = 0;
};

} // namespace jre32
