#include "test_folder.h"

#include <windows.h>

#include <atomic>

namespace {

std::wstring wideOf(std::string_view text, unsigned codePage) {
    const int n =
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

// Through the wide calls, so that a name code page 932 cannot hold is removed as itself and
// not as a look-alike.
bool removeTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            std::wstring path = folder + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(path + L"\\");
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    return RemoveDirectoryW(folder.c_str()) != 0;
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
        removeTree(wideOf(path_, CP_ACP));
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

bool TestFolder::writeUtf8File(std::string_view name, std::string_view contents) const {
    HANDLE file =
        CreateFileW((wideOf(path_, CP_ACP) + wideOf(name, CP_UTF8)).c_str(), GENERIC_WRITE, 0,
                    nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = contents.empty() || WriteFile(file, contents.data(),
                                            static_cast<DWORD>(contents.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == contents.size();
}

FolderEntries TestFolder::utf8Entries() const {
    FolderEntries entries;
    const std::wstring folder = wideOf(path_, CP_ACP);
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return entries;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        const int n = WideCharToMultiByte(CP_UTF8, 0, name.data(), static_cast<int>(name.size()),
                                          nullptr, 0, nullptr, nullptr);
        std::string utf8(static_cast<std::size_t>(n), '\0');
        WideCharToMultiByte(CP_UTF8, 0, name.data(), static_cast<int>(name.size()), utf8.data(), n,
                            nullptr, nullptr);
        std::string contents;
        HANDLE file = CreateFileW((folder + name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        char buffer[4096];
        DWORD read = 0;
        while (file != INVALID_HANDLE_VALUE &&
               ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
            contents.append(buffer, read);
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
        entries[utf8] = contents;
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return entries;
}
