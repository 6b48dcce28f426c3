#pragma once

#include "alphabet.h"
#include "dfa.h"
#include "encoding.h"
#include "pike.h"
#include "program.h"
#include "syntax.h"

#include <cstddef>
#include <memory>
#include <optional>

namespace jre32 {

// What a record's pattern field points to: a pattern compiled for the record's code page, with
// the matchers that search with it and their working memory.
//
// A search reads the text forward with a DFA that orders threads as the Pike VM does, which
// tells whether there is a match and where the leftmost-first one ends; then it reads back
// from that end with a DFA of the reversed program, which finds the leftmost position where a
// match ending there begins: the match's start, since no match begins further left. When a
// DFA gives up (its cache thrashes) or the pattern has too many distinct ranges for one, the
// Pike VM searches instead. A DFA pays for its states only when it reads them again, so the
// first search of a pattern just compiled, in a short text, goes to the Pike VM too: the
// window compiles a pattern for every match. The matchers are built at their first search,
// so compiling stays cheap. All paths give the same answers; the tests and the jre32_match
// fuzz target check that by running them one by one.
class CompiledPattern {
  public:
    // The bytes of each DFA's state cache.
    static constexpr std::size_t defaultCacheBytes = std::size_t{512} * 1024;
    // The longest text (from where the search starts) that the first search reads with the
    // Pike VM.
    static constexpr std::size_t shortText = 256;

    CompiledPattern(ParsedPattern parsed, const Encoding& encoding,
                    std::size_t cacheBytes = defaultCacheBytes);
    CompiledPattern(const CompiledPattern&) = delete;
    CompiledPattern& operator=(const CompiledPattern&) = delete;

    // Searches the `size` bytes of text from the character boundary `from`; text[size] must
    // be the NUL that ends it. Gives true and the match's byte position and length when one is
    // found.
    bool search(const unsigned char* text, std::size_t size, std::size_t from,
                std::size_t& position, std::size_t& length);

    // The two ways of searching alone: the Pike VM, and the DFAs, which give gaveUp where
    // search() would turn to the Pike VM.
    bool searchWithPike(const unsigned char* text, std::size_t size, std::size_t from,
                        std::size_t& position, std::size_t& length);
    Dfa::Outcome searchWithDfa(const unsigned char* text, std::size_t size, std::size_t from,
                               std::size_t& position, std::size_t& length);
    // How many times the DFAs have emptied their caches to make room.
    std::size_t cacheClears() const;

  private:
    // The DFAs and what they need besides the program.
    struct Automata {
        Automata(const Node& tree, const Program& program, Encoding::Kind encoding,
                 std::size_t cacheBytes);

        Program reversed;
        // The reversed program's classes are the program's: both hold the same characters
        // and sets.
        Alphabet alphabet;
        Dfa forward;
        Dfa backward;
    };

    const Encoding& encoding_;
    Node tree_;
    // Every match begins at the first byte of the text, as with a pattern that begins with "^":
    // the DFA that reads back to find where a match begins is not needed.
    bool startsAtTextStart_;
    Program program_;
    std::size_t cacheBytes_;
    bool searched_ = false;
    std::optional<PikeVm> pike_;
    std::unique_ptr<Automata> automata_;
};

} // namespace jre32
