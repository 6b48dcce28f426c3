#include "path_split.h"

#include "text_walk.h"

PathParts splitPath(std::string_view path, std::string_view separators, const CodePage& cp) {
    std::size_t folderLength = 0;
    for (std::size_t i = findAnyChar(path, separators, 0, cp); i != notFound;
         i = findAnyChar(path, separators, i + 1, cp))
        folderLength = i + 1;
    return {std::string(path.substr(0, folderLength)), std::string(path.substr(folderLength))};
}
