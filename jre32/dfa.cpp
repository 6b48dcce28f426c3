#include "dfa.h"

#include <algorithm>
#include <cstring>

namespace jre32 {

namespace {

using Op = Instruction::Op;

// The cache gives up when, since it was last emptied, a search has added at least half its
// states and read fewer characters than this many per state added: building states then
// costs more than the Pike VM would.
constexpr std::size_t charactersPerState = 10;
constexpr std::size_t initialSlots = 16;

std::uint32_t hashKey(std::uint8_t flags, const std::vector<int>& seeds) {
    std::uint64_t h = 0xCBF29CE484222325u ^ flags;
    for (int pc : seeds)
        h = (h ^ static_cast<std::uint32_t>(pc)) * 0x100000001B3u;
    return static_cast<std::uint32_t>(h ^ h >> 32);
}

std::size_t distance(std::size_t a, std::size_t b) {
    return a > b ? a - b : b - a;
}

// The least shift that makes a row of 2^shift entries hold every class.
unsigned rowShift(int classes) {
    unsigned shift = 0;
    while ((std::size_t{1} << shift) < static_cast<std::size_t>(classes))
        ++shift;
    return shift;
}

} // namespace

Dfa::Dfa(const Program& program, const Alphabet& alphabet, Encoding::Kind encoding, Mode mode,
         std::size_t budgetBytes)
    : program_(program), alphabet_(alphabet), encoding_(encoding), mode_(mode),
      budget_(budgetBytes), shift_(rowShift(alphabet.size())), closure_(program),
      slots_(initialSlots, -1), seen_(program.code.size(), 0) {}

Dfa::Outcome Dfa::searchForward(const unsigned char* text, std::size_t size, std::size_t from,
                                std::size_t& end) {
    switch (encoding_) {
    case Encoding::Kind::shiftJis:
        return forward<ShiftJisWalk>(text, size, from, end);
    case Encoding::Kind::utf8:
        return forward<Utf8Walk>(text, size, from, end);
    case Encoding::Kind::singleByte:
        break;
    }
    return forward<SingleByteWalk>(text, size, from, end);
}

Dfa::Outcome Dfa::searchBackward(const unsigned char* text, std::size_t size, std::size_t floor,
                                 std::size_t end, std::size_t& start) {
    switch (encoding_) {
    case Encoding::Kind::shiftJis:
        return backward<ShiftJisWalk>(text, size, floor, end, start);
    case Encoding::Kind::utf8:
        return backward<Utf8Walk>(text, size, floor, end, start);
    case Encoding::Kind::singleByte:
        break;
    }
    return backward<SingleByteWalk>(text, size, floor, end, start);
}

// A match found at a position is kept until the reading ends: a later one, of a thread of
// higher priority, replaces it, as in the Pike VM. The NUL behind the text leads every state
// to `textEnds`, so the loop weighs the end of the text only on that transition, and steps
// to ordinary states in an inner loop of their own.
template <typename Walk>
Dfa::Outcome Dfa::forward(const unsigned char* text, std::size_t size, std::size_t from,
                          std::size_t& end) {
    beginSearch(from);
    std::int32_t entry = startEntry(from == 0, from);
    if (entry == unknown)
        return Outcome::gaveUp;
    bool found = false;
    // The table moves only when a transition is worked out.
    const std::int32_t* table = table_.data();
    const std::uint16_t* byteClasses = alphabet_.byteClasses();
    std::size_t row = rowOf(entry);
    for (std::size_t at = from;;) {
        if (entry < 0 && at != size) {
            std::uint8_t flags = flags_[stateOf(row)];
            if ((flags & hasMatch) != 0) {
                found = true;
                end = at;
            }
            if ((flags & stops) != 0)
                break;
            if ((flags & skips) != 0)
                at = skip<Walk>(text, size, at);
        }
        Character c{};
        int characterClass = 0;
        for (;;) {
            c = Walk::at(text, size, at);
            characterClass = c.value < 256 ? byteClasses[c.value] : alphabet_.classOf(c.value);
            entry = table[row + static_cast<std::size_t>(characterClass)];
            if (entry < 0)
                break;
            row = static_cast<std::size_t>(entry);
            at += static_cast<std::size_t>(c.length);
        }
        if (entry == textEnds) {
            if (matchesAtEdge(stateOf(row))) {
                found = true;
                end = size;
            }
            break;
        }
        if (entry == unknown) {
            entry = transition(row, characterClass, at);
            if (entry == unknown)
                return Outcome::gaveUp;
            table = table_.data();
        }
        row = rowOf(entry);
        at += static_cast<std::size_t>(c.length);
    }
    return found ? Outcome::found : Outcome::notFound;
}

template <typename Walk>
Dfa::Outcome Dfa::backward(const unsigned char* text, std::size_t size, std::size_t floor,
                           std::size_t end, std::size_t& start) {
    beginSearch(end);
    typename Walk::Backward walk(text, floor);
    std::int32_t entry = startEntry(end == size, end);
    if (entry == unknown)
        return Outcome::gaveUp;
    bool found = false;
    for (std::size_t at = end;;) {
        std::size_t row = rowOf(entry);
        if (at == floor) {
            if (floor == 0 ? matchesAtEdge(stateOf(row)) : (flags_[stateOf(row)] & hasMatch) != 0) {
                found = true;
                start = at;
            }
            break;
        }
        if (entry < 0) {
            std::uint8_t flags = flags_[stateOf(row)];
            if ((flags & hasMatch) != 0) {
                found = true;
                start = at;
            }
            if ((flags & stops) != 0)
                break;
        }
        Character c = walk.before(at);
        int characterClass = alphabet_.classOf(c.value);
        entry = table_[row + static_cast<std::size_t>(characterClass)];
        if (entry == unknown && (entry = transition(row, characterClass, at)) == unknown)
            return Outcome::gaveUp;
        at -= static_cast<std::size_t>(c.length);
    }
    return found ? Outcome::found : Outcome::notFound;
}

// The next position from `at` whose character may lead out of the state in which no match is
// under way; every character before it leads back to that state.
template <typename Walk>
std::size_t Dfa::skip(const unsigned char* text, std::size_t size, std::size_t at) const {
    if (skipToEnd_)
        return size;
    if (skipByte_ >= 0) {
        // A byte found inside a character sends the search on behind that character.
        for (;;) {
            const void* found = std::memchr(text + at, skipByte_, size - at);
            if (found == nullptr)
                return size;
            auto byte = static_cast<std::size_t>(static_cast<const unsigned char*>(found) - text);
            std::size_t boundary = Walk::nextBoundary(text, size, at, byte);
            if (boundary == byte)
                return byte;
            at = boundary;
        }
    }
    // The NUL behind the text stops the walk.
    while (!firstBytes_[text[at]])
        at += static_cast<std::size_t>(Walk::at(text, size, at).length);
    return at;
}

template <typename Walk> void Dfa::prepareSkipping(std::uint32_t state) {
    skipKnown_ = true;
    const State& s = states_[state];
    for (std::uint32_t i = 0; i < s.threadCount; ++i) {
        const Instruction& instruction =
            program_.code[static_cast<std::size_t>(threads_[s.threads + i])];
        if (instruction.op == Op::any)
            return;
        forEachRange(program_, instruction, [&](std::uint32_t low, std::uint32_t high) {
            Walk::markFirstBytes(low, high, firstBytes_.data());
        });
    }
    firstBytes_[0] = false;
    auto count = std::count(firstBytes_.begin(), firstBytes_.end(), true);
    if (count == static_cast<long>(firstBytes_.size()) - 1)
        return;
    skipUsable_ = true;
    skipToEnd_ = count == 0;
    if (count == 1)
        skipByte_ = static_cast<int>(std::find(firstBytes_.begin(), firstBytes_.end(), true) -
                                     firstBytes_.begin());
    firstBytes_[0] = true;
}

void Dfa::beginSearch(std::size_t at) {
    mark_ = at;
    addedSinceMark_ = 0;
}

std::int32_t Dfa::startEntry(bool edge, std::size_t at) {
    std::int32_t& entry = starts_[edge ? 1 : 0];
    if (entry != unknown)
        return entry;
    // A leftmost-first reading adds the thread at the program's start to every state before
    // its first match; a longest one begins with it alone.
    seeds_.clear();
    if (mode_ == Mode::longest)
        seeds_.push_back(0);
    std::int32_t found = stateFor(edge ? atEdge : 0, at);
    // The cache may have been emptied on the way, which forgets every start.
    starts_[edge ? 1 : 0] = found;
    return found;
}

std::int32_t Dfa::transition(std::size_t row, int characterClass, std::size_t at) {
    std::uint32_t state = stateOf(row);
    std::uint32_t value = alphabet_.representative(characterClass);
    if (++seenStamp_ == 0) {
        std::fill(seen_.begin(), seen_.end(), 0);
        seenStamp_ = 1;
    }
    seeds_.clear();
    const State s = states_[state];
    for (std::uint32_t i = 0; i < s.threadCount; ++i) {
        const Instruction& instruction =
            program_.code[static_cast<std::size_t>(threads_[s.threads + i])];
        if (!takes(program_, instruction, value))
            continue;
        auto next = static_cast<std::size_t>(instruction.next);
        if (seen_[next] != seenStamp_) {
            seen_[next] = seenStamp_;
            seeds_.push_back(instruction.next);
        }
    }
    bool matched = mode_ == Mode::leftmostFirst && (flags_[state] & (matchedBefore | hasMatch));
    std::size_t clearsBefore = clears_;
    std::int32_t entry = stateFor(matched ? matchedBefore : 0, at);
    // When the cache was emptied, `state` is gone and the transition is not kept.
    if (entry != unknown && clears_ == clearsBefore)
        table_[row + static_cast<std::size_t>(characterClass)] = entry;
    return entry;
}

bool Dfa::matchesAtEdge(std::uint32_t state) {
    std::uint8_t& flags = flags_[state];
    if ((flags & endKnown) == 0) {
        const State& s = states_[state];
        seeds_.assign(keys_.begin() + s.key + 2, keys_.begin() + s.key + s.keyLength);
        closeOver(flags & keyFlags, true);
        flags |= endKnown;
        if (std::any_of(reached_.begin(), reached_.end(), [&](int pc) {
                return program_.code[static_cast<std::size_t>(pc)].op == Op::match;
            }))
            flags |= endMatches;
    }
    return (flags & endMatches) != 0;
}

// reached_ becomes the threads of the state keyed by `flags` and seeds_, in priority order.
void Dfa::closeOver(std::uint8_t flags, bool atTextEnd) {
    closure_.beginStep();
    reached_.clear();
    bool edge = (flags & atEdge) != 0;
    for (int pc : seeds_)
        closure_.add(pc, edge, atTextEnd, reached_);
    if (mode_ == Mode::leftmostFirst && (flags & matchedBefore) == 0)
        closure_.add(0, edge, atTextEnd, reached_);
}

std::int32_t Dfa::stateFor(std::uint8_t flags, std::size_t at) {
    if (mode_ == Mode::longest)
        std::sort(seeds_.begin(), seeds_.end());
    std::uint32_t hash = hashKey(flags, seeds_);
    std::int32_t known = find(flags, hash);
    if (known >= 0)
        return entryOf(static_cast<std::uint32_t>(known));

    closeOver(flags, false);
    std::size_t need = sizeof(State) + 1 + sizeof(int) * (2 + seeds_.size() + reached_.size()) +
                       sizeof(std::int32_t) * (std::size_t{1} << shift_) +
                       sizeof(std::int32_t) * slots_.size();
    if (bytesUsed() + need > budget_) {
        bool thrashing = addedSinceMark_ * 2 >= states_.size() &&
                         distance(at, mark_) < charactersPerState * addedSinceMark_;
        if (states_.empty() || thrashing)
            return unknown;
        clearCache();
        mark_ = at;
        addedSinceMark_ = 0;
        if (bytesUsed() + need > budget_)
            return unknown;
    }
    add(flags, hash);
    ++addedSinceMark_;
    auto state = static_cast<std::uint32_t>(states_.size() - 1);
    bool restarts = mode_ == Mode::leftmostFirst && seeds_.empty() && flags == 0 &&
                    (flags_[state] & hasMatch) == 0;
    if (restarts) {
        if (!skipKnown_) {
            switch (encoding_) {
            case Encoding::Kind::shiftJis:
                prepareSkipping<ShiftJisWalk>(state);
                break;
            case Encoding::Kind::utf8:
                prepareSkipping<Utf8Walk>(state);
                break;
            case Encoding::Kind::singleByte:
                prepareSkipping<SingleByteWalk>(state);
                break;
            }
        }
        if (skipUsable_)
            flags_[state] |= skips;
    }
    return entryOf(state);
}

std::int32_t Dfa::find(std::uint8_t flags, std::uint32_t hash) const {
    std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        std::int32_t candidate = slots_[slot];
        if (candidate < 0)
            return -1;
        const State& s = states_[static_cast<std::size_t>(candidate)];
        if (s.hash == hash && keys_[s.key] == flags && s.keyLength == seeds_.size() + 2 &&
            std::equal(seeds_.begin(), seeds_.end(), keys_.begin() + s.key + 2))
            return candidate;
    }
}

void Dfa::add(std::uint8_t flags, std::uint32_t hash) {
    bool matched = false;
    if (mode_ == Mode::leftmostFirst) {
        // A matching thread ends the threads of lower priority.
        auto match = std::find_if(reached_.begin(), reached_.end(), [&](int pc) {
            return program_.code[static_cast<std::size_t>(pc)].op == Op::match;
        });
        matched = match != reached_.end();
        reached_.erase(match, reached_.end());
    } else {
        auto kept = std::remove_if(reached_.begin(), reached_.end(), [&](int pc) {
            return program_.code[static_cast<std::size_t>(pc)].op == Op::match;
        });
        matched = kept != reached_.end();
        reached_.erase(kept, reached_.end());
    }
    std::uint8_t stateFlags = flags;
    if (matched)
        stateFlags |= hasMatch;
    if (reached_.empty() && (mode_ == Mode::longest || matched || (flags & matchedBefore) != 0))
        stateFlags |= stops;

    State s{};
    s.hash = hash;
    s.key = static_cast<std::uint32_t>(keys_.size());
    s.keyLength = static_cast<std::uint32_t>(seeds_.size() + 2);
    keys_.push_back(flags);
    keys_.push_back(static_cast<int>(seeds_.size()));
    keys_.insert(keys_.end(), seeds_.begin(), seeds_.end());
    s.threads = static_cast<std::uint32_t>(threads_.size());
    s.threadCount = static_cast<std::uint32_t>(reached_.size());
    threads_.insert(threads_.end(), reached_.begin(), reached_.end());
    states_.push_back(s);
    flags_.push_back(stateFlags);
    std::size_t row = table_.size();
    table_.resize(row + (std::size_t{1} << shift_), unknown);
    table_[row] = textEnds;
    if (states_.size() * 2 > slots_.size())
        growSlots();
    else
        for (std::size_t mask = slots_.size() - 1, slot = hash & mask;; slot = (slot + 1) & mask)
            if (slots_[slot] < 0) {
                slots_[slot] = static_cast<std::int32_t>(states_.size() - 1);
                break;
            }
}

void Dfa::growSlots() {
    slots_.assign(slots_.size() * 2, -1);
    std::size_t mask = slots_.size() - 1;
    for (std::size_t state = 0; state < states_.size(); ++state)
        for (std::size_t slot = states_[state].hash & mask;; slot = (slot + 1) & mask)
            if (slots_[slot] < 0) {
                slots_[slot] = static_cast<std::int32_t>(state);
                break;
            }
}

std::size_t Dfa::bytesUsed() const {
    return states_.size() * (sizeof(State) + 1) + sizeof(int) * (keys_.size() + threads_.size()) +
           sizeof(std::int32_t) * (table_.size() + slots_.size());
}

void Dfa::clearCache() {
    states_.clear();
    flags_.clear();
    keys_.clear();
    threads_.clear();
    table_.clear();
    slots_.assign(initialSlots, -1);
    starts_ = {unknown, unknown};
    ++clears_;
}

} // namespace jre32
