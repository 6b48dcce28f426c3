#pragma once

#include "closure.h"
#include "encoding.h"
#include "program.h"

#include <cstddef>
#include <vector>

namespace jre32 {

// A Pike VM over one program: it runs every thread of the program in step over the text, one
// character at a time. Between two characters, the closure keeps at most one thread per
// instruction and context, so a step keeps at most one thread per instruction that takes a
// character. Threads are kept in priority order, each carrying the position its match began
// at, so the first thread to reach `match` among those still alive is the leftmost-first
// match. Time is proportional to the text's characters times the program's size (times the
// nesting of tracked repetitions), memory to the program's size (times the same nesting); it
// cannot take exponential time. The DFA (dfa.h) answers as this does, faster; both are
// checked against a backtracking reference by tests/unit/jre32/differential_test.cpp.
class PikeVm {
  public:
    explicit PikeVm(const Program& program);

    // Searches the `size` bytes of text from the character boundary `start`. Gives true and
    // the match's byte position and length when one is found.
    bool search(const unsigned char* text, std::size_t size, std::size_t start,
                const Encoding& encoding, std::size_t& position, std::size_t& length);

  private:
    template <typename Walk>
    bool run(const unsigned char* text, std::size_t size, std::size_t start, std::size_t& position,
             std::size_t& length);

    // Threads in priority order: the instruction of each and where its match began.
    struct Threads {
        std::vector<int> pcs;
        std::vector<std::size_t> starts;
        void clear() {
            pcs.clear();
            starts.clear();
        }
    };

    // Adds the threads reached from pc at `at` to `list`, their match beginning at `start`.
    void addThread(Threads& list, int pc, std::size_t start, std::size_t at, std::size_t size);

    const Program& program_;
    Closure closure_;
    Threads current_;
    Threads next_;
};

} // namespace jre32
