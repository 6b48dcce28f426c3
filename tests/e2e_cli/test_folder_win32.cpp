#include "test_folder.h"

#include <windows.h>

#include <atomic>

namespace {

bool removeTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string path = folder + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(path + "\\");
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    return RemoveDirectoryA(folder.c_str()) != 0;
}

} // namespace

TestFolder::TestFolder() {
    static std::atomic<int> counter{0};
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string path = std::string(temp) + "kibrel-cli-test-" +
                       std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter) +
                       "-" + std::to_string(GetTickCount());
    if (CreateDirectoryA(path.c_str(), nullptr))
        path_ = path + "\\";
}

TestFolder::~TestFolder() {
    if (!path_.empty())
        removeTree(path_);
}

bool TestFolder::writeFile(std::string_view name, std::string_view contents) const {
    HANDLE file = CreateFileA(pathOf(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = contents.empty() || WriteFile(file, contents.data(),
                                            static_cast<DWORD>(contents.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == contents.size();
}

bool TestFolder::makeFolder(std::string_view name) const {
    return CreateDirectoryA(pathOf(name).c_str(), nullptr) != 0;
}

bool TestFolder::copyFileIn(const std::string& source, std::string_view name) const {
    return CopyFileA(source.c_str(), pathOf(name).c_str(), TRUE) != 0;
}

bool TestFolder::remove(std::string_view name) const {
    return DeleteFileA(pathOf(name).c_str()) != 0;
}

bool TestFolder::rename(std::string_view from, std::string_view to) const {
    return MoveFileA(pathOf(from).c_str(), pathOf(to).c_str()) != 0;
}

std::string TestFolder::contents(const std::string& path) {
    std::string text;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return text;
    char buffer[65536];
    DWORD n = 0;
    while (ReadFile(file, buffer, sizeof buffer, &n, nullptr) && n > 0)
        text.append(buffer, n);
    CloseHandle(file);
    return text;
}

FolderEntries TestFolder::entriesOf(const std::string& folder) {
    FolderEntries entries;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return entries;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        std::string path = folder + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            std::string listing = "<folder>";
            for (const auto& [inner, contents] : entriesOf(path + "\\"))
                listing += inner + "=" + contents + ";";
            entries[name] = listing;
            continue;
        }
        std::string contents;
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        char buffer[4096];
        DWORD n = 0;
        while (file != INVALID_HANDLE_VALUE && ReadFile(file, buffer, sizeof buffer, &n, nullptr) &&
               n > 0)
            contents.append(buffer, n);
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
        entries[name] = contents;
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return entries;
}
