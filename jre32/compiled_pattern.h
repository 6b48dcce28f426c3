#pragma once

#include "alphabet.h"
#include "dfa.h"
#include "encoding.h"
#include "pike.h"
#include "program.h"
#include "syntax.h"

#include <cstddef>

namespace jre32 {

// What a record's pattern field points to: a pattern compiled for the record's code page, with
// the matchers that search with it and their working memory.
//
// A search reads the text forward with a DFA that orders threads as the Pike VM does, which
// tells whether there is a match and where the leftmost-first one ends; then it reads back
// from that end with a DFA of the reversed program, which finds the leftmost position where a
// match ending there begins: the match's start, since no match begins further left. When a
// DFA gives up (its cache thrashes) or the pattern has too many distinct ranges for one, the
// Pike VM searches instead. All three give the same answers; the tests and the jre32_match
// fuzz target check that by running them one by one.
class CompiledPattern {
  public:
    // The bytes of each DFA's state cache.
    static constexpr std::size_t defaultCacheBytes = std::size_t{512} * 1024;

    CompiledPattern(const Node& tree, const Encoding& encoding,
                    std::size_t cacheBytes = defaultCacheBytes);
    CompiledPattern(const CompiledPattern&) = delete;
    CompiledPattern& operator=(const CompiledPattern&) = delete;

    // Searches the `size` bytes of text from the character boundary `from`. Gives true and
    // the match's byte position and length when one is found.
    bool search(const unsigned char* text, std::size_t size, std::size_t from,
                std::size_t& position, std::size_t& length);

    // The two ways of searching alone: the Pike VM, and the DFAs, which give gaveUp where
    // search() would turn to the Pike VM.
    bool searchWithPike(const unsigned char* text, std::size_t size, std::size_t from,
                        std::size_t& position, std::size_t& length);
    Dfa::Outcome searchWithDfa(const unsigned char* text, std::size_t size, std::size_t from,
                               std::size_t& position, std::size_t& length);
    // How many times the DFAs have emptied their caches to make room.
    std::size_t cacheClears() const { return forward_.cacheClears() + backward_.cacheClears(); }

  private:
    const Encoding& encoding_;
    Program program_;
    Program reversed_;
    Alphabet alphabet_;
    PikeVm pike_;
    Dfa forward_;
    Dfa backward_;
};

} // namespace jre32
