#include "program_folder.h"

#include <windows.h>

std::string programFolder() {
    char path[MAX_PATH + 1];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH + 1);
    // A path that fills the buffer was cut short.
    if (n == 0 || n > MAX_PATH)
        return {};
    const std::string s(path, n);
    return s.substr(0, s.find_last_of("\\/") + 1);
}
