#include "command_line.h"

#include "text_walk.h"

namespace {

std::size_t skipSpaces(std::string_view line, std::size_t pos) {
    while (pos < line.size() && line[pos] == ' ')
        ++pos;
    return pos;
}

// Where the text behind the program's own path begins; the end of the line when nothing
// follows it, also when the path's opening quote has no partner.
std::size_t behindProgramPath(std::string_view line, const CodePage& cp) {
    if (line.empty())
        return 0;
    std::size_t end = line[0] == '"' ? findChar(line, '"', 1, cp) : findChar(line, ' ', 0, cp);
    return end == notFound ? line.size() : end + 1;
}

} // namespace

std::vector<std::string> commandLineArguments(std::string_view line, const CodePage& cp) {
    std::vector<std::string> arguments;
    std::size_t pos = skipSpaces(line, behindProgramPath(line, cp));
    while (pos < line.size()) {
        bool quoted = line[pos] == '"';
        std::size_t start = quoted ? pos + 1 : pos;
        std::size_t end = findChar(line, quoted ? '"' : ' ', start, cp);
        if (end == notFound)
            end = line.size();
        if (end > start)
            arguments.emplace_back(line.substr(start, end - start));
        pos = end < line.size() ? skipSpaces(line, end + 1) : end;
    }
    return arguments;
}
