#pragma once

#include "program.h"
#include "syntax.h"

namespace jre32 {

// The program of a parsed pattern, whose set nodes name `sets` by number:
//   x*   L: split P, E; P: x; jump L; E:             (x*? prefers E)
//   x+   P: x; split P, E; E:                         (x+? prefers E)
//   x?   split P, E; P: x; E:                         (x?? prefers E)
//   x|y  split X, Y; X: x; jump E; Y: y; E:
// and, when x can match the empty string, the tracked forms
//   x+   enter; P: x; repeat P, E; E:
//   x*   split S, E; S: (tracked x+); E:
Program compile(const Node& tree, std::vector<CharClass> sets);

// The program of the pattern read backwards: it matches a text read from its last character
// to its first when the pattern matches the text, with ^ holding where the backward reading
// ends at the text's first byte and $ where it begins at the text's end. Repetitions take the
// plain forms only: a backward reading finds where a match may begin, not which match the
// priorities choose.
Program compileReversed(const Node& tree, std::vector<CharClass> sets);

} // namespace jre32
