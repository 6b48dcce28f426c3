#include "path_split.h"

#include "text_walk.h"

std::size_t folderLength(std::string_view path, std::string_view separators, const CodePage& cp) {
    std::size_t length = 0;
    for (std::size_t i = findAnyChar(path, separators, 0, cp); i != notFound;
         i = findAnyChar(path, separators, i + 1, cp))
        length = i + 1;
    return length;
}

PathParts splitPath(std::string_view path, std::string_view separators, const CodePage& cp) {
    const std::size_t length = folderLength(path, separators, cp);
    return {std::string(path.substr(0, length)), std::string(path.substr(length))};
}
