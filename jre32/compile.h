#pragma once

#include "program.h"
#include "syntax.h"

namespace jre32 {

// The program of a parsed pattern:
//   x*   L: split P, E; P: x; jump L; E:             (x*? prefers E)
//   x+   P: x; split P, E; E:                         (x+? prefers E)
//   x?   split P, E; P: x; E:                         (x?? prefers E)
//   x|y  split X, Y; X: x; jump E; Y: y; E:
// and, when x can match the empty string, the tracked forms
//   x+   enter; P: x; repeat P, E; E:
//   x*   split S, E; S: (tracked x+); E:
Program compile(const Node& tree);

} // namespace jre32
