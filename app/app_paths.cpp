#include "app_paths.h"

#include "text_walk.h"

namespace {

// Where the file name begins: behind the last backslash.
std::size_t nameStart(std::string_view path, const CodePage& cp) {
    std::size_t slash = findLastChar(path, '\\', cp);
    return slash == notFound ? 0 : slash + 1;
}

// Where the file name's extension begins (its dot), or the end of the path when it has none.
// Only the file name counts, so a dot in a folder name never cuts the path.
std::size_t extensionStart(std::string_view path, const CodePage& cp) {
    std::size_t start = nameStart(path, cp);
    std::size_t dot = findLastChar(path.substr(start), '.', cp);
    return dot == notFound ? path.size() : start + dot;
}

} // namespace

std::string appNameFor(std::string_view executablePath, const CodePage& cp) {
    std::size_t start = nameStart(executablePath, cp);
    return std::string(executablePath.substr(start, extensionStart(executablePath, cp) - start));
}

std::string helpFilePathFor(std::string_view executablePath, const CodePage& cp,
                            TextLanguage language) {
    const char* extension = language == TextLanguage::japanese ? ".chm" : "-en.chm";
    return std::string(executablePath.substr(0, extensionStart(executablePath, cp))) + extension;
}
