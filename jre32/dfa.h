#pragma once

#include "alphabet.h"
#include "closure.h"
#include "encoding.h"
#include "program.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace jre32 {

// A DFA built lazily from a program while it reads a text, one character (not one byte) at a
// time, so that it takes characters exactly where the Pike VM does whatever the code page.
// A state is the list of instructions its threads have reached, in the Pike VM's priority
// order, built by the same closure (closure.h); it is keyed by the instructions its threads
// went on from after the last character (so an assertion of the text's end can be weighed
// where the text ends). Transitions are indexed by character class (alphabet.h).
//
// The states live in a cache of a fixed number of bytes: when it is full it is emptied and
// the reading goes on from the state it is in. When that happens too often for the progress
// made, the search gives up and the caller runs the Pike VM instead. A step that builds a
// state costs about what a step of the Pike VM costs (a closure over the program, and a key
// as long as a thread list to look up), any other step a table lookup, so time stays linear
// in the text whatever the pattern, and memory bounded by the budget.
//
// Tested against the Pike VM and the backtracking reference by
// tests/unit/jre32/differential_test.cpp and by the jre32_match fuzz target.
class Dfa {
  public:
    enum class Mode {
        // Forward and unanchored: a new thread begins at each character until a match is
        // found, and a matching thread ends those of lower priority, as in the Pike VM; the
        // reading gives where the leftmost-first match ends.
        leftmostFirst,
        // Over a reversed program, backward from a match's end and anchored there: every
        // thread goes on, and the reading gives the leftmost position where a match that ends
        // there begins.
        longest,
    };
    enum class Outcome { found, notFound, gaveUp };

    Dfa(const Program& program, const Alphabet& alphabet, Encoding::Kind encoding, Mode mode,
        std::size_t budgetBytes);
    Dfa(const Dfa&) = delete;
    Dfa& operator=(const Dfa&) = delete;

    // Leftmost-first: reads forward from the character boundary `from` and gives the end of
    // the leftmost-first match. text[size] must be the NUL that ends the text.
    Outcome searchForward(const unsigned char* text, std::size_t size, std::size_t from,
                          std::size_t& end);
    // Longest: reads backward from the character boundary `end` to the boundary `floor` and
    // gives the leftmost position from floor on where a match that ends at `end` begins.
    Outcome searchBackward(const unsigned char* text, std::size_t size, std::size_t floor,
                           std::size_t end, std::size_t& start);

    // How many times the cache has been emptied to make room.
    std::size_t cacheClears() const { return clears_; }

  private:
    struct State {
        std::uint32_t hash;
        std::uint32_t key;       // in keys_: the key's flags, the count of instructions, them
        std::uint32_t keyLength; // the whole key, flags and count included
        std::uint32_t threads;   // in threads_: the instructions that take a character
        std::uint32_t threadCount;
    };
    enum Flag : std::uint8_t {
        // Part of the key.
        matchedBefore = 1, // a match was found at an earlier position
        atEdge = 2,        // the reading begins here at an edge of the text
        // Worked out.
        hasMatch = 4,   // a thread matches here
        stops = 8,      // no thread goes on, and none begins
        skips = 16,     // no match is under way; characters that change nothing are skipped
        endKnown = 32,  // endMatches has been worked out
        endMatches = 64 // a thread matches here when the reading ends at an edge of the text
    };
    static constexpr std::uint8_t keyFlags = matchedBefore | atEdge;
    static constexpr std::uint8_t specialFlags = hasMatch | stops | skips;

    template <typename Walk>
    Outcome forward(const unsigned char* text, std::size_t size, std::size_t from,
                    std::size_t& end);
    template <typename Walk>
    Outcome backward(const unsigned char* text, std::size_t size, std::size_t floor,
                     std::size_t end, std::size_t& start);
    template <typename Walk>
    std::size_t skip(const unsigned char* text, std::size_t size, std::size_t at) const;
    template <typename Walk> void prepareSkipping(std::uint32_t state);

    // The entries of the transition table: where the row of a state begins, for a state with
    // no special flag, and -3 minus that for one with, so that a step to an ordinary state is
    // a load and a test of the sign; a row has 2^shift_ entries, one for each character class
    // and the rest unused. A transition not yet worked out is `unknown`, one on the NUL that
    // ends the text `textEnds`. The cache's budget keeps rows far below 2^31.
    static constexpr std::int32_t unknown = -1;
    static constexpr std::int32_t textEnds = -2;
    std::int32_t entryOf(std::uint32_t state) const {
        auto row = static_cast<std::int32_t>(state << shift_);
        return (flags_[state] & specialFlags) != 0 ? -3 - row : row;
    }
    static std::size_t rowOf(std::int32_t entry) {
        return static_cast<std::size_t>(entry >= 0 ? entry : -3 - entry);
    }
    std::uint32_t stateOf(std::size_t row) const {
        return static_cast<std::uint32_t>(row >> shift_);
    }
    void beginSearch(std::size_t at);
    std::int32_t startEntry(bool edge, std::size_t at);
    std::int32_t transition(std::size_t row, int characterClass, std::size_t at);
    bool matchesAtEdge(std::uint32_t state);
    // The entry of the state keyed by `flags` and seeds_, added when it is new; `unknown` when
    // the search gives up.
    std::int32_t stateFor(std::uint8_t flags, std::size_t at);
    std::int32_t find(std::uint8_t flags, std::uint32_t hash) const;
    // Adds the state keyed by `flags` and seeds_, whose closure reached_ holds.
    void add(std::uint8_t flags, std::uint32_t hash);
    void closeOver(std::uint8_t flags, bool atTextEnd);
    std::size_t bytesUsed() const;
    void clearCache();
    void growSlots();

    const Program& program_;
    const Alphabet& alphabet_;
    const Encoding::Kind encoding_;
    const Mode mode_;
    const std::size_t budget_;
    const unsigned shift_;
    Closure closure_;

    std::vector<State> states_;
    std::vector<std::uint8_t> flags_;
    std::vector<int> keys_;
    std::vector<int> threads_;
    std::vector<std::int32_t> table_;
    // An open-addressing hash table of state numbers, -1 for a free slot.
    std::vector<std::int32_t> slots_;
    std::array<std::int32_t, 2> starts_{unknown, unknown};
    // How many times the cache has been emptied.
    std::size_t clears_ = 0;

    // Working lists: the seeds of a state being looked up, the closure being built, and
    // which instructions are among the seeds already.
    std::vector<int> seeds_;
    std::vector<int> reached_;
    std::vector<std::uint32_t> seen_;
    std::uint32_t seenStamp_ = 0;

    // Where the search was when the cache was last emptied (or the search began), and how
    // many states it has added since.
    std::size_t mark_ = 0;
    std::size_t addedSinceMark_ = 0;

    // How a state in which no match is under way finds the next character that changes it:
    // at once at the end when no character does, with memchr for one byte, else by the table
    // of bytes such characters begin with.
    bool skipKnown_ = false;
    bool skipUsable_ = false;
    bool skipToEnd_ = false;
    int skipByte_ = -1;
    std::array<bool, 256> firstBytes_{};
};

} // namespace jre32
