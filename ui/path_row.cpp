#include "path_row.h"

#include "text_walk.h"

PathParts splitPath(std::string_view path, const CodePage& cp) {
    std::size_t slash = findLastChar(path, '\\', cp);
    std::size_t folderLength = slash == notFound ? 0 : slash + 1;
    return {std::string(path.substr(0, folderLength)), std::string(path.substr(folderLength))};
}
