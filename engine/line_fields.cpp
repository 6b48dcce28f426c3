#include "line_fields.h"

#include <sys/stat.h>

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

void appendEscaped(std::string& out, std::string_view text) {
    constexpr std::string_view hex = "0123456789ABCDEF";
    for (char c : text) {
        if (!escapedInFields(c)) {
            out += c;
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\\') {
            out += "\\\\";
        } else {
            const auto b = static_cast<unsigned char>(c);
            out += "\\x";
            out += hex[b >> 4];
            out += hex[b & 0xF];
        }
    }
}

std::string escapedField(const std::string& text) {
    std::string out;
    appendEscaped(out, text);
    return out;
}

std::optional<std::string> unescapedField(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size())
            return std::nullopt;
        if (text[i] == 't')
            out += '\t';
        else if (text[i] == 'n')
            out += '\n';
        else if (text[i] == 'r')
            out += '\r';
        else if (text[i] == '\\')
            out += '\\';
        else if (text[i] == 'x' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
                 hexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else
            return std::nullopt;
    }
    return out;
}

// A regular file tells its size, and room for what is left of it is made at once, so that a
// long list is read without the copies of a growing text; a pipe or a folder tells none.
std::optional<std::string> readStream(std::FILE* in) {
    std::string all;
    struct stat file {};
    const long at = std::ftell(in);
    if (fstat(fileno(in), &file) == 0 && S_ISREG(file.st_mode) && at >= 0 && file.st_size > at)
        all.reserve(static_cast<std::size_t>(file.st_size - at));
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;)
        all.append(buffer, n);
    if (std::ferror(in))
        return std::nullopt;
    return all;
}
