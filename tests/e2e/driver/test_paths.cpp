#include "test_paths.h"

#include <windows.h>

namespace e2e {

namespace {

std::string parentOf(const std::string& folderWithBackslash) {
    const std::size_t end = folderWithBackslash.find_last_of('\\', folderWithBackslash.size() - 2);
    return end == std::string::npos ? folderWithBackslash : folderWithBackslash.substr(0, end + 1);
}

// The folder of the kibrel.exe under test, with its trailing backslash.
std::string& testedFolder() {
    static std::string folder = programFolder();
    return folder;
}

} // namespace

std::string kibrelPath() {
    return testedFolder() + "kibrel.exe";
}

std::string libraryPath() {
    return testedFolder() + "jre32.dll";
}

void testKibrelIn(const std::string& folder) {
    testedFolder() = folder.empty() || folder.back() == '\\' ? folder : folder + '\\';
}

std::string artifactsFolder() {
    const std::string folder = programFolder();
    const std::string parent = parentOf(folder);
    const bool inBin = _stricmp(folder.substr(parent.size()).c_str(), "bin\\") == 0;
    return (inBin ? parent : folder) + "artifacts\\";
}

std::string hostPath(const std::string& windowsPath) {
    using UnixName = char*(__cdecl*)(const WCHAR*);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (unixName == nullptr)
        return windowsPath;
    const int units = MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide.data(), units);
    char* name = unixName(wide.c_str());
    if (name == nullptr)
        return windowsPath;
    std::string result = name;
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

} // namespace e2e
