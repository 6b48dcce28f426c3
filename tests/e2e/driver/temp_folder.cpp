#include "temp_folder.h"

#include "ansi.h"

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

// What an opened file holds, which it closes; "<unreadable>" when it could not be opened.
std::string contentsOf(HANDLE file) {
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

std::string fileContents(const std::string& path) {
    return contentsOf(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
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

namespace {

std::string utf8Of(const std::wstring& text) {
    const int units = static_cast<int>(text.size());
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), units, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), units, out.data(), bytes, nullptr, nullptr);
    return out;
}

std::string wideFileContents(const std::wstring& path) {
    return contentsOf(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

} // namespace

bool TempFolder::writeUtf8File(std::string_view name, std::string_view contents) const {
    const std::wstring path = wide(path_) + wide(name);
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
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

std::map<std::string, std::string> TempFolder::utf8Contents() const {
    std::map<std::string, std::string> all;
    // The folder's own path is ASCII: the temporary folder and a name of digits.
    const std::wstring folder = wide(path_);
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((folder + L'*').c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return all;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        all[utf8Of(name)] = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0
                                ? "<folder>"
                                : wideFileContents(folder + name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return all;
}

namespace {

// Through the wide calls, so that a name code page 932 cannot hold is removed as itself and
// not as a look-alike.
bool removeWideTree(const std::wstring& base) {
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((base + L'*').c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring full = base + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removeWideTree(full + L'\\');
            } else {
                SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(full.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(base.c_str());
    return GetFileAttributesW(base.c_str()) == INVALID_FILE_ATTRIBUTES;
}

} // namespace

bool removeFolderTree(const std::string& folder) {
    const std::string base = withBackslash(folder);
    const int units =
        MultiByteToWideChar(CP_ACP, 0, base.data(), static_cast<int>(base.size()), nullptr, 0);
    std::wstring wideBase(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(CP_ACP, 0, base.data(), static_cast<int>(base.size()), wideBase.data(),
                        units);
    return removeWideTree(wideBase);
}

} // namespace e2e
