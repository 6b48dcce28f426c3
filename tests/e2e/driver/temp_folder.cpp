#include "temp_folder.h"

#include <windows.h>

#include <atomic>
#include <cstdio>

namespace e2e {

namespace {

std::atomic<unsigned> folderCounter{0};

// Whether the last character, read by characters of the ANSI code page, is a backslash: the
// trail byte of a double-byte character may be 0x5C too.
bool endsWithBackslash(const std::string& path) {
    bool backslash = false;
    for (std::size_t i = 0; i < path.size(); ++i) {
        backslash = path[i] == '\\';
        if (IsDBCSLeadByte(static_cast<BYTE>(path[i])) && i + 1 < path.size())
            ++i;
    }
    return backslash;
}

std::string withBackslash(std::string folder) {
    if (!endsWithBackslash(folder))
        folder += '\\';
    return folder;
}

} // namespace

TempFolder::TempFolder() {
    char temp[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(sizeof temp, temp);
    if (length == 0 || length >= sizeof temp)
        return;
    char unique[64];
    std::snprintf(unique, sizeof unique, "kibrel-e2e-%lu-%u-%llu", GetCurrentProcessId(),
                  folderCounter.fetch_add(1), GetTickCount64());
    const std::string folder = withBackslash(temp) + unique;
    valid_ = CreateDirectoryA(folder.c_str(), nullptr) != 0;
    if (valid_)
        path_ = folder + '\\';
}

TempFolder::~TempFolder() {
    if (valid_)
        removeFolderTree(path_);
}

bool TempFolder::writeFile(std::string_view name, std::string_view contents) const {
    const HANDLE file = CreateFileA(pathOf(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok =
        contents.empty() ||
        (WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr) &&
         written == contents.size());
    CloseHandle(file);
    return ok;
}

bool TempFolder::makeFolder(std::string_view name) const {
    return CreateDirectoryA(pathOf(name).c_str(), nullptr) != 0;
}

bool TempFolder::copyFileIn(const std::string& source, std::string_view name) const {
    return CopyFileA(source.c_str(), pathOf(name).c_str(), TRUE) != 0;
}

namespace {

std::string fileContents(const std::string& path) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<unreadable>";
    std::string text;
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0)
        text.append(chunk, read);
    CloseHandle(file);
    return text;
}

} // namespace

std::map<std::string, std::string> TempFolder::contents() const {
    std::map<std::string, std::string> all;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((path_ + '*').c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return all;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        all[name] = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0
                        ? "<folder>"
                        : fileContents(path_ + name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return all;
}

bool removeFolderTree(const std::string& folder) {
    const std::string base = withBackslash(folder);
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((base + '*').c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string full = base + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removeFolderTree(full + '\\');
            } else {
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(base.c_str());
    return GetFileAttributesA(base.c_str()) == INVALID_FILE_ATTRIBUTES;
}

} // namespace e2e
