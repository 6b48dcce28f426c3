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
