#pragma once

#include "pike.h"
#include "program.h"

#include <utility>

namespace jre32 {

// What a record's pattern field points to: the program and the matcher that runs it, with
// its working memory, allocated once per compile.
struct CompiledPattern {
    explicit CompiledPattern(Program compiled) : program(std::move(compiled)), vm(program) {}
    CompiledPattern(const CompiledPattern&) = delete;
    CompiledPattern& operator=(const CompiledPattern&) = delete;

    Program program;
    PikeVm vm;
};

} // namespace jre32
