#include "line_fields.h"

void appendEscaped(std::string& out, std::string_view text) {
    for (char c : text) {
        if (c == '\t')
            out += "\\t";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\\')
            out += "\\\\";
        else
            out += c;
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
        else if (text[i] == '\\')
            out += '\\';
        else
            return std::nullopt;
    }
    return out;
}

std::optional<std::string> readStream(std::FILE* in) {
    std::string all;
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;)
        all.append(buffer, n);
    if (std::ferror(in))
        return std::nullopt;
    return all;
}
