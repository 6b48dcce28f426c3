#pragma once

#include "program.h"
#include "syntax.h"

namespace jre32 {

// The program of a parsed pattern. x* is laid out as (x+)? and x*? as (x+?)??, so that an
// iteration that matches the empty string ends the repetition, as in a backtracking matcher,
// instead of being dropped in favour of a later alternative.
Program compile(const Node& tree);

} // namespace jre32
