#pragma once

#include "program.h"

#include <array>
#include <cstdint>
#include <vector>

namespace jre32 {

// The classes of characters that a program cannot tell apart: two characters share a class
// when every instruction that takes a character takes both or neither. The DFA's transitions
// are indexed by class, so a pattern of few classes keeps small tables whatever the code page.
// Class 0 holds the NUL alone: no text holds one before its end, where it ends every text, so
// the DFA finds the end of a text by its class.
class Alphabet {
  public:
    explicit Alphabet(const Program& program);

    // False when the program holds so many distinct ranges that working out its classes was
    // left off; the DFA is then not used.
    bool usable() const { return usable_; }
    int size() const { return static_cast<int>(representatives_.size()); }

    int classOf(std::uint32_t value) const {
        return value < bytes_.size() ? bytes_[value] : wideClassOf(value);
    }
    // The classes of the values 0 to 255, for loops that look them up themselves.
    const std::uint16_t* byteClasses() const { return bytes_.data(); }
    // A character value of the class.
    std::uint32_t representative(int c) const {
        return representatives_[static_cast<std::size_t>(c)];
    }

  private:
    int wideClassOf(std::uint32_t value) const;

    bool usable_ = true;
    // The classes of the values 0 to 255, looked up directly.
    std::array<std::uint16_t, 256> bytes_{};
    // The values split into intervals, each within one class: starts_[i] begins interval i.
    std::vector<std::uint32_t> starts_;
    std::vector<std::uint16_t> classes_;
    std::vector<std::uint32_t> representatives_;
};

} // namespace jre32
