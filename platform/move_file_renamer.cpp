#include "move_file_renamer.h"

#include "wide_paths.h"

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

RenameResult MoveFileRenamer::failed(unsigned long error) const {
    return {false, explainFailures_ ? describe(error) : std::string()};
}

RenameResult MoveFileRenamer::rename(const std::string& oldPath, const std::string& newPath) {
    return renameListed(oldPath, newPath, {});
}

// The file is looked at just before the move by name: one that another program puts in its
// place between the look and the move is not told apart.
RenameResult MoveFileRenamer::renameListed(const std::string& oldPath, const std::string& newPath,
                                           const std::string& listedFile) {
    const std::optional<std::wstring> from = wideFromCodePage(oldPath, CP_ACP);
    const std::optional<std::wstring> to = wideFromCodePage(newPath, CP_ACP);
    if (!from || !to)
        return failed(ERROR_NO_UNICODE_TRANSLATION);
    if (!listedFile.empty()) {
        const std::string now = fileKey(*from);
        if (now.empty())
            return failed(ERROR_FILE_NOT_FOUND);
        if (now != listedFile)
            return {false, explainFailures_ ? "another file has had this name since it was listed"
                                            : std::string()};
    }
    if (MoveFileExW(from->c_str(), to->c_str(), 0) != 0)
        return {true};
    return failed(GetLastError());
}
