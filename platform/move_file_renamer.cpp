#include "move_file_renamer.h"

#include <windows.h>

namespace {

// The platform's description of an error, in the ANSI code page, without its line break.
std::string describe(DWORD error) {
    char text[512] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, error, 0, text, sizeof text, nullptr);
    std::string description(text, length < sizeof text ? length : 0);
    while (!description.empty() && (description.back() == '\n' || description.back() == '\r'))
        description.pop_back();
    return description;
}

} // namespace

RenameResult MoveFileRenamer::rename(const std::string& oldPath, const std::string& newPath) {
    if (MoveFileA(oldPath.c_str(), newPath.c_str()) != 0)
        return {true};
    return {false, explainFailures_ ? describe(GetLastError()) : std::string()};
}
