#include "command_line.h"
#include "fuzz_input.h"
#include "path_split.h"
#include "property.h"
#include "table_code_page.h"
#include "text_walk.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Seeds the file list from any command line. Input: the code-page byte, one option byte, then
// NUL-separated fields. With an even option byte the first field is the command line itself:
// every argument is then a non-empty piece of the line, in the line's order, and splits into a
// folder (empty or ending in a backslash) and a name without a backslash that make up the
// argument again. With an odd option byte the fields are paths: they are put on a command line
// as Windows puts them (quoted when they hold a space) and must come back exactly.
namespace {

void checkRows(const std::string& line, const CodePage& cp) {
    const std::vector<std::string> arguments = commandLineArguments(line, cp);
    std::size_t from = 0;
    for (const std::string& argument : arguments) {
        require(!argument.empty(), "an argument is never empty", {line});
        const std::size_t at = line.find(argument, from);
        require(at != std::string::npos, "the arguments are pieces of the line, in order",
                {line, argument});
        from = at + argument.size();
        const PathParts row = splitPath(argument, windowSeparators, cp);
        require(row.folder + row.name == argument, "a row's folder and name make up its path",
                {line, argument});
        require(row.folder.empty() || findLastChar(row.folder, '\\', cp) == row.folder.size() - 1,
                "a row's folder ends in a backslash", {line, argument});
        require(findChar(row.name, '\\', 0, cp) == notFound, "a row's name holds no backslash",
                {line, argument});
    }
}

// A path as a file can have it: no double quote. A lead byte at its end stays a character of
// its own, since the space or quote behind it is no trail byte.
std::string asPath(std::string path) {
    std::erase(path, '"');
    return path;
}

void checkRoundTrip(const FuzzInput& input, const TableCodePage& cp) {
    const std::uint8_t option = input.options[0];
    std::string line = option & 2 ? "\"C:\\Program Files\\Kibrel\\kibrel.exe\"" : "kibrel.exe";
    const std::string separator = option & 4 ? "  " : " ";
    std::vector<std::string> paths;
    for (const std::string& field : input.fields) {
        std::string path = asPath(field);
        if (path.empty())
            continue;
        const bool quoted = findChar(path, ' ', 0, cp) != notFound;
        line += separator + (quoted ? "\"" + path + "\"" : path);
        paths.push_back(std::move(path));
    }
    if (option & 8)
        line += separator;
    require(commandLineArguments(line, cp) == paths, "paths come back from the command line",
            {line});
    checkRows(line, cp);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const FuzzInput input = readFuzzInput(data, size, 1, 16);
    const TableCodePage cp(input.codePage);
    if (input.options[0] % 2 == 0)
        checkRows(input.fields[0], cp);
    else
        checkRoundTrip(input, cp);
    return 0;
}
