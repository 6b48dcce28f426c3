#include "platform.h"

#include <windows.h>

#include <cwchar>

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

std::size_t pathFolderLength(std::string_view path, const CodePage& codePage) {
    return folderLength(path, pathSeparators, codePage);
}

std::string journalFolder() {
    char local[MAX_PATH + 1] = {};
    DWORD length = GetEnvironmentVariableA("LOCALAPPDATA", local, sizeof local);
    if (length == 0 || length >= sizeof local)
        return {};
    // A separator at the end goes; walked by characters, since the second byte of a double-byte
    // character may be 0x5C.
    const char* last = local;
    for (const char* at = local; *at != '\0'; at = CharNextA(at))
        last = at;
    if (*last == '\\' || *last == '/')
        length = static_cast<DWORD>(last - local);
    const std::string folder = std::string(local, length) + "\\Kibrel";
    if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        return {};
    return folder + "\\";
}

namespace {

// The file or folder at the path, itself and not what a link points to, opened to be asked
// about; INVALID_HANDLE_VALUE when nothing is there.
HANDLE openToAsk(const std::string& path) {
    return CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

unsigned long long fileIndexOf(const BY_HANDLE_FILE_INFORMATION& info) {
    return static_cast<unsigned long long>(info.nFileIndexHigh) << 32 | info.nFileIndexLow;
}

} // namespace

std::string fileIdentity(const std::string& path) {
    HANDLE file = openToAsk(path);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(file, &info) != 0;
    // FAT numbers a file by the place of its entry in its folder, which a rename may move: the
    // time a file was made is what lasts.
    wchar_t system[MAX_PATH + 1] = {};
    const bool fat = GetVolumeInformationByHandleW(file, nullptr, 0, nullptr, nullptr, nullptr,
                                                   system, MAX_PATH + 1) != 0 &&
                     (std::wcsncmp(system, L"FAT", 3) == 0 || std::wcscmp(system, L"exFAT") == 0);
    CloseHandle(file);
    if (!known)
        return {};
    const std::string place =
        std::to_string(info.dwVolumeSerialNumber) + ":" + std::to_string(fileIndexOf(info));
    if (!fat)
        return place;
    const unsigned long long made =
        static_cast<unsigned long long>(info.ftCreationTime.dwHighDateTime) << 32 |
        info.ftCreationTime.dwLowDateTime;
    return place + ":" + std::to_string(made) + ":fat";
}

bool isEmptyFile(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) != 0 &&
           (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) ==
               0 &&
           data.nFileSizeHigh == 0 && data.nFileSizeLow == 0;
}

bool removeFile(const std::string& path) {
    return DeleteFileA(path.c_str()) != 0;
}

std::string absolutePath(const std::string& path) {
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    if (length == 0 || length >= sizeof full)
        return path;
    return std::string(full, length);
}

bool pathExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

PathsOnDisk::~PathsOnDisk() = default;

void PathsOnDisk::listAhead(std::vector<std::string>) {}

void PathsOnDisk::prefetch(std::string_view) {}

bool PathsOnDisk::exists(std::string_view path) {
    return pathExists(std::string(path));
}

namespace {

// At one moment the volume and the file index tell a file apart, on FAT as well.
std::optional<FileId> identityOf(std::string_view path) {
    HANDLE file = openToAsk(std::string(path));
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(file, &info) != 0;
    CloseHandle(file);
    if (!known)
        return std::nullopt;
    return FileId{info.dwVolumeSerialNumber, fileIndexOf(info)};
}

} // namespace

std::vector<std::optional<FileId>>
PathsOnDisk::identities(const std::vector<std::string_view>& paths) {
    std::vector<std::optional<FileId>> found;
    found.reserve(paths.size());
    for (const std::string_view path : paths)
        found.push_back(identityOf(path));
    return found;
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
