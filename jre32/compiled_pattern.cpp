#include "compiled_pattern.h"

#include "compile.h"

namespace jre32 {

CompiledPattern::CompiledPattern(const Node& tree, const Encoding& encoding, std::size_t cacheBytes)
    : encoding_(encoding), program_(compile(tree)), reversed_(compileReversed(tree)),
      alphabet_(program_), pike_(program_),
      forward_(program_, alphabet_, encoding.kind(), Dfa::Mode::leftmostFirst, cacheBytes),
      backward_(reversed_, alphabet_, encoding.kind(), Dfa::Mode::longest, cacheBytes) {}

bool CompiledPattern::search(const unsigned char* text, std::size_t size, std::size_t from,
                             std::size_t& position, std::size_t& length) {
    switch (searchWithDfa(text, size, from, position, length)) {
    case Dfa::Outcome::found:
        return true;
    case Dfa::Outcome::notFound:
        return false;
    case Dfa::Outcome::gaveUp:
        break;
    }
    return searchWithPike(text, size, from, position, length);
}

bool CompiledPattern::searchWithPike(const unsigned char* text, std::size_t size, std::size_t from,
                                     std::size_t& position, std::size_t& length) {
    return pike_.search(text, size, from, encoding_, position, length);
}

Dfa::Outcome CompiledPattern::searchWithDfa(const unsigned char* text, std::size_t size,
                                            std::size_t from, std::size_t& position,
                                            std::size_t& length) {
    if (!alphabet_.usable())
        return Dfa::Outcome::gaveUp;
    std::size_t end = 0;
    Dfa::Outcome outcome = forward_.searchForward(text, size, from, end);
    if (outcome != Dfa::Outcome::found)
        return outcome;
    // The reversed program's classes are the forward program's: both hold the same
    // characters and sets.
    std::size_t start = 0;
    outcome = backward_.searchBackward(text, size, from, end, start);
    if (outcome == Dfa::Outcome::found) {
        position = start;
        length = end - start;
    }
    return outcome;
}

} // namespace jre32
