#include "records.h"

#include "line_fields.h"

namespace {

#ifdef _WIN32
constexpr bool escapes = false;
#else
constexpr bool escapes = true;
#endif

bool needsEscapes(std::string_view text) {
    for (char c : text)
        if (escapedInFields(c))
            return true;
    return false;
}

} // namespace

std::optional<std::vector<std::string>> readPaths(std::FILE* in, bool nullSeparated) {
    const std::optional<std::string> read = readStream(in);
    if (!read)
        return std::nullopt;
    const std::string& all = *read;
    const char end = nullSeparated ? '\0' : '\n';
    std::vector<std::string> paths;
    for (std::size_t at = 0; at < all.size();) {
        std::size_t stop = all.find(end, at);
        if (stop == std::string::npos)
            stop = all.size();
        std::size_t length = stop - at;
#ifdef _WIN32
        if (!nullSeparated && length > 0 && all[at + length - 1] == '\r')
            --length;
#endif
        if (length > 0)
            paths.emplace_back(all, at, length);
        at = stop + 1;
    }
    return paths;
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
