#include "records.h"

namespace {

#ifdef _WIN32
constexpr bool escapes = false;
#else
constexpr bool escapes = true;
#endif

bool needsEscapes(const std::string& text) {
    return text.find_first_of("\t\n\\") != std::string::npos;
}

} // namespace

std::string escapedField(const std::string& text) {
    std::string out;
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

std::optional<std::vector<std::string>> readPaths(std::FILE* in, bool nullSeparated) {
    const char end = nullSeparated ? '\0' : '\n';
    std::vector<std::string> paths;
    std::string path;
    auto take = [&] {
#ifdef _WIN32
        if (!nullSeparated && !path.empty() && path.back() == '\r')
            path.pop_back();
#endif
        if (!path.empty())
            paths.push_back(path);
        path.clear();
    };
    for (int c = std::fgetc(in); c != EOF; c = std::fgetc(in)) {
        if (static_cast<char>(c) == end)
            take();
        else
            path += static_cast<char>(c);
    }
    if (std::ferror(in))
        return std::nullopt;
    take();
    return paths;
}

std::string record(const std::string& path, const std::string& newName, bool nullSeparated) {
    if (nullSeparated)
        return path + '\0' + newName + '\0';
    if (escapes && (needsEscapes(path) || needsEscapes(newName)))
        return "\\" + escapedField(path) + "\t" + escapedField(newName) + "\n";
    return path + "\t" + newName + "\n";
}
