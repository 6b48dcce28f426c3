#include "platform.h"

#include <windows.h>

unsigned defaultCodePage() {
    return GetACP();
}

std::optional<Phrase> codePageRefusal(unsigned codePage) {
    unsigned ansi = GetACP();
    if (codePage == ansi)
        return std::nullopt;
    return Phrase{
        "code page %1 cannot be used here: on Windows names are in the ANSI code page, %2",
        {std::to_string(codePage), std::to_string(ansi)}};
}

void setLibraryCodePage(unsigned codePage) {
    SetEnvironmentVariableA("JRE32_CODEPAGE", std::to_string(codePage).c_str());
}

PathParts pathParts(std::string_view path, const CodePage& codePage) {
    return splitPath(path, pathSeparators, codePage);
}

std::string journalFolder() {
    char local[MAX_PATH + 1] = {};
    const DWORD length = GetEnvironmentVariableA("LOCALAPPDATA", local, sizeof local);
    if (length == 0 || length >= sizeof local)
        return {};
    const std::string folder = std::string(local, length) + "\\Kibrel";
    if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        return {};
    return folder + "\\";
}

std::string fileIdentity(const std::string& path) {
    HANDLE file = CreateFileA(
        path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(file, &info) != 0;
    CloseHandle(file);
    if (!known)
        return {};
    const unsigned long long index =
        static_cast<unsigned long long>(info.nFileIndexHigh) << 32 | info.nFileIndexLow;
    const std::string place =
        std::to_string(info.dwVolumeSerialNumber) + ":" + std::to_string(index);
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return place;
    const unsigned long long size =
        static_cast<unsigned long long>(info.nFileSizeHigh) << 32 | info.nFileSizeLow;
    const unsigned long long written =
        static_cast<unsigned long long>(info.ftLastWriteTime.dwHighDateTime) << 32 |
        info.ftLastWriteTime.dwLowDateTime;
    return place + ":" + std::to_string(size) + ":" + std::to_string(written);
}

bool pathExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool PathsOnDisk::exists(const std::string& path) {
    return pathExists(path);
}

// MoveFileA takes names of up to 255 characters and paths shorter than MAX_PATH.
std::size_t longestName(const std::string& folder) {
    const std::size_t room = folder.size() < MAX_PATH - 1 ? MAX_PATH - 1 - folder.size() : 0;
    return room < 255 ? room : 255;
}

unsigned long processNumber() {
    return GetCurrentProcessId();
}

// Windows ends no process for a write to a closed pipe; the write fails.
void ignoreBrokenPipe() {}
