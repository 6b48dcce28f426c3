#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

// The hash of a path or a name for the flat tables of a long list: eight bytes at a time, each
// mixed in by a multiplication, and the whole folded at the end so that the low bits, which
// pick a table's slot, and the high bits, which a slot keeps, depend on every byte.
inline std::size_t hashOfText(std::string_view text) {
    constexpr std::uint64_t mixer = 0x9E3779B97F4A7C15ULL;
    std::uint64_t hash = static_cast<std::uint64_t>(text.size()) * mixer;
    const auto mix = [&](std::uint64_t word) { hash = ((hash << 5 | hash >> 59) ^ word) * mixer; };
    std::size_t at = 0;
    for (; at + 8 <= text.size(); at += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + at, sizeof word);
        mix(word);
    }
    if (at < text.size()) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + at, text.size() - at);
        mix(word);
    }
    hash ^= hash >> 33;
    hash *= 0xFF51AFD7ED558CCDULL;
    hash ^= hash >> 33;
    return static_cast<std::size_t>(hash);
}
