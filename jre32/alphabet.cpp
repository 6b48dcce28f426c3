#include "alphabet.h"

#include <algorithm>
#include <cstddef>

namespace jre32 {

namespace {

// How many interval visits the classes may cost before they are left off: far beyond any
// pattern a person writes, and a bound on compiling one of thousands of ranges.
constexpr std::size_t workLimit = std::size_t{1} << 18;
constexpr std::size_t maxClasses = 0xFFFF;

} // namespace

Alphabet::Alphabet(const Program& program) {
    starts_.push_back(0);
    starts_.push_back(1);
    for (const Instruction& instruction : program.code)
        forEachRange(program, instruction, [&](std::uint32_t low, std::uint32_t high) {
            starts_.push_back(low);
            if (high != UINT32_MAX)
                starts_.push_back(high + 1);
        });
    std::sort(starts_.begin(), starts_.end());
    starts_.erase(std::unique(starts_.begin(), starts_.end()), starts_.end());

    // Refines the classes of the intervals, at first the NUL and the rest, by each instruction
    // in turn: the intervals it takes leave their class for a new one, shared by those that
    // came from the same class.
    std::vector<std::uint32_t> classOf(starts_.size(), 0);
    classOf[0] = 1;
    std::vector<std::uint32_t> remapStamp(2, 0);
    std::vector<std::uint32_t> remapTo(2, 0);
    std::size_t work = 0;
    std::uint32_t stamp = 0;
    for (const Instruction& instruction : program.code) {
        ++stamp;
        forEachRange(program, instruction, [&](std::uint32_t low, std::uint32_t high) {
            auto i = static_cast<std::size_t>(
                std::lower_bound(starts_.begin(), starts_.end(), low) - starts_.begin());
            for (; i < starts_.size() && starts_[i] <= high && work <= workLimit; ++i, ++work) {
                std::uint32_t old = classOf[i];
                if (remapStamp[old] != stamp) {
                    remapStamp[old] = stamp;
                    remapTo[old] = static_cast<std::uint32_t>(remapStamp.size());
                    remapStamp.push_back(0);
                    remapTo.push_back(0);
                }
                classOf[i] = remapTo[old];
            }
        });
    }
    // Numbers the classes from 0 in the order of their first intervals.
    std::vector<std::int32_t> dense(remapStamp.size(), -1);
    classes_.reserve(starts_.size());
    for (std::size_t i = 0; i < starts_.size(); ++i) {
        std::int32_t& c = dense[classOf[i]];
        if (c < 0) {
            c = static_cast<std::int32_t>(representatives_.size());
            representatives_.push_back(starts_[i]);
        }
        classes_.push_back(static_cast<std::uint16_t>(c));
    }
    usable_ = work <= workLimit && representatives_.size() <= maxClasses;
    std::size_t interval = 0;
    for (std::uint32_t value = 0; value < bytes_.size(); ++value) {
        while (interval + 1 < starts_.size() && starts_[interval + 1] <= value)
            ++interval;
        bytes_[value] = classes_[interval];
    }
}

int Alphabet::wideClassOf(std::uint32_t value) const {
    auto after = std::upper_bound(starts_.begin(), starts_.end(), value);
    return classes_[static_cast<std::size_t>(after - starts_.begin()) - 1];
}

} // namespace jre32
