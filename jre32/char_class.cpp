#include "char_class.h"

#include <algorithm>

namespace jre32 {

void CharClass::add(std::uint32_t low, std::uint32_t high) {
    ranges_.push_back({low, high});
}

void CharClass::add(const CharClass& other) {
    ranges_.insert(ranges_.end(), other.ranges_.begin(), other.ranges_.end());
}

void CharClass::normalize() {
    std::sort(ranges_.begin(), ranges_.end(),
              [](const Range& a, const Range& b) { return a.low < b.low; });
    std::size_t kept = 0;
    for (std::size_t i = 0; i < ranges_.size(); ++i) {
        Range r = ranges_[i];
        if (kept > 0 &&
            (ranges_[kept - 1].high == UINT32_MAX || r.low <= ranges_[kept - 1].high + 1))
            ranges_[kept - 1].high = std::max(ranges_[kept - 1].high, r.high);
        else
            ranges_[kept++] = r;
    }
    ranges_.resize(kept);
}

CharClass CharClass::complement() const {
    CharClass result;
    std::uint32_t next = 0;
    for (const Range& r : ranges_) {
        if (r.low > next)
            result.add(next, r.low - 1);
        if (r.high == UINT32_MAX)
            return result;
        next = r.high + 1;
    }
    result.add(next, UINT32_MAX);
    return result;
}

bool CharClass::contains(std::uint32_t value) const {
    auto after = std::upper_bound(ranges_.begin(), ranges_.end(), value,
                                  [](std::uint32_t v, const Range& r) { return v < r.low; });
    return after != ranges_.begin() && value <= std::prev(after)->high;
}

CharClass CharClass::digits() {
    CharClass c;
    c.add('0', '9');
    return c;
}

CharClass CharClass::wordCharacters() {
    CharClass c;
    c.add('0', '9');
    c.add('A', 'Z');
    c.add('_', '_');
    c.add('a', 'z');
    return c;
}

CharClass CharClass::whiteSpace() {
    CharClass c;
    c.add('\t', '\r');
    c.add(' ', ' ');
    return c;
}

} // namespace jre32
