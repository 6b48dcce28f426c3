#include "compiled_pattern.h"

#include "compile.h"

#include <utility>

namespace jre32 {

namespace {

// Whether every match of the node begins where "^" matches, at the first byte of the text.
bool startsAtTextStart(const Node& node) {
    switch (node.kind) {
    case Node::Kind::textStart:
        return true;
    case Node::Kind::sequence:
    case Node::Kind::plus:
        return !node.children.empty() && startsAtTextStart(node.children[0]);
    case Node::Kind::choice:
        for (const Node& child : node.children)
            if (!startsAtTextStart(child))
                return false;
        return !node.children.empty();
    default:
        return false;
    }
}

} // namespace

CompiledPattern::Automata::Automata(const Node& tree, const Program& program,
                                    Encoding::Kind encoding, std::size_t cacheBytes)
    : reversed(compileReversed(tree, program.sets)), alphabet(program),
      forward(program, alphabet, encoding, Dfa::Mode::leftmostFirst, cacheBytes),
      backward(reversed, alphabet, encoding, Dfa::Mode::longest, cacheBytes) {}

CompiledPattern::CompiledPattern(ParsedPattern parsed, const Encoding& encoding,
                                 std::size_t cacheBytes)
    : encoding_(encoding), tree_(std::move(parsed.tree)),
      startsAtTextStart_(startsAtTextStart(tree_)),
      program_(compile(tree_, std::move(parsed.sets))), cacheBytes_(cacheBytes) {}

bool CompiledPattern::search(const unsigned char* text, std::size_t size, std::size_t from,
                             std::size_t& position, std::size_t& length) {
    bool first = !searched_;
    searched_ = true;
    if (first && size - from <= shortText)
        return searchWithPike(text, size, from, position, length);
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
    if (!pike_)
        pike_.emplace(program_);
    return pike_->search(text, size, from, encoding_, position, length);
}

Dfa::Outcome CompiledPattern::searchWithDfa(const unsigned char* text, std::size_t size,
                                            std::size_t from, std::size_t& position,
                                            std::size_t& length) {
    if (!automata_)
        automata_ = std::make_unique<Automata>(tree_, program_, encoding_.kind(), cacheBytes_);
    if (!automata_->alphabet.usable())
        return Dfa::Outcome::gaveUp;
    std::size_t end = 0;
    Dfa::Outcome outcome = automata_->forward.searchForward(text, size, from, end);
    if (outcome != Dfa::Outcome::found)
        return outcome;
    // "^" matches at no byte behind the first, so a match was found only from there.
    if (startsAtTextStart_) {
        position = from;
        length = end - from;
        return outcome;
    }
    std::size_t start = 0;
    outcome = automata_->backward.searchBackward(text, size, from, end, start);
    if (outcome == Dfa::Outcome::found) {
        position = start;
        length = end - start;
    }
    return outcome;
}

std::size_t CompiledPattern::cacheClears() const {
    if (!automata_)
        return 0;
    return automata_->forward.cacheClears() + automata_->backward.cacheClears();
}

} // namespace jre32
