#pragma once

#include <cstdint>
#include <vector>

namespace jre32 {

// A set of character values as sorted, disjoint, non-adjacent ranges.
class CharClass {
  public:
    struct Range {
        std::uint32_t low;
        std::uint32_t high;
    };

    void add(std::uint32_t low, std::uint32_t high);
    void add(const CharClass& other);
    // Puts the ranges in order and merges those that overlap or touch.
    void normalize();
    // Every value the class does not hold; the class must be normalized.
    CharClass complement() const;
    // The class must be normalized.
    bool contains(std::uint32_t value) const;

    const std::vector<Range>& ranges() const { return ranges_; }

    static CharClass digits();
    static CharClass wordCharacters();
    static CharClass whiteSpace();

  private:
    std::vector<Range> ranges_;
};

} // namespace jre32
