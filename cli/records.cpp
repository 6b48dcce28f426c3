#include "records.h"

#include "line_fields.h"

#include <cstdint>
#include <cstring>

namespace {

#ifdef _WIN32
constexpr bool escapes = false;
#else
constexpr bool escapes = true;
#endif

// Whether any of the eight bytes of the word is below 0x20, 0x7F or the backslash: the bytes
// that escapedInFields() tells, eight at a time, as a record seldom needs an escape.
bool escapedInWord(std::uint64_t word) {
    constexpr std::uint64_t ones = 0x0101010101010101ULL;
    constexpr std::uint64_t highs = 0x8080808080808080ULL;
    const auto below = [&](std::uint64_t w, std::uint64_t n) {
        return (w - ones * n) & ~w & highs;
    };
    return (below(word, 0x20) | below(word ^ (ones * 0x7F), 1) | below(word ^ (ones * '\\'), 1)) !=
           0;
}

bool needsEscapes(std::string_view text) {
    std::size_t at = 0;
    for (; at + sizeof(std::uint64_t) <= text.size(); at += sizeof(std::uint64_t)) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + at, sizeof word);
        if (escapedInWord(word))
            return true;
    }
    for (; at < text.size(); ++at)
        if (escapedInFields(text[at]))
            return true;
    return false;
}

} // namespace

bool takePaths(std::string_view all, bool nullSeparated,
               const std::function<bool(std::string_view)>& take) {
    const char end = nullSeparated ? '\0' : '\n';
    for (std::size_t at = 0; at < all.size();) {
        std::size_t stop = all.find(end, at);
        if (stop == std::string_view::npos)
            stop = all.size();
        std::size_t length = stop - at;
#ifdef _WIN32
        if (!nullSeparated && length > 0 && all[at + length - 1] == '\r')
            --length;
#endif
        if (length > 0 && !take(all.substr(at, length)))
            return false;
        at = stop + 1;
    }
    return true;
}

void appendRecord(std::string& out, std::string_view path, std::string_view newName,
                  bool nullSeparated) {
    if (nullSeparated) {
        out.append(path);
        out += '\0';
        out.append(newName);
        out += '\0';
    } else if (escapes && (needsEscapes(path) || needsEscapes(newName))) {
        out += '\\';
        appendEscaped(out, path);
        out += '\t';
        appendEscaped(out, newName);
        out += '\n';
    } else {
        out.append(path);
        out += '\t';
        out.append(newName);
        out += '\n';
    }
}
