#pragma once

#include "char_class.h"

#include <cstdint>
#include <vector>

namespace jre32 {

// One node of a parsed pattern.
struct Node {
    enum class Kind {
        empty,     // matches the empty string
        character, // `value`
        any,       // any one character
        set,       // one character of the set numbered `value`
        textStart, // ^
        textEnd,   // $
        sequence,  // `children` one after the other
        choice,    // one of `children`, tried in order
        star,      // children[0] any number of times
        plus,      // children[0] once or more
        optional,  // children[0] or nothing
    };

    Kind kind = Kind::empty;
    bool greedy = true;
    std::uint32_t value = 0;
    std::vector<Node> children;
};

// A parsed pattern: its tree, and the sets its set nodes name by number.
struct ParsedPattern {
    Node tree;
    std::vector<CharClass> sets;
};

} // namespace jre32
