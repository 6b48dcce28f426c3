#include "program_folder.h"

#include <unistd.h>

std::string programFolder() {
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path);
    // A path as long as the buffer may have been cut short.
    if (n <= 0 || static_cast<std::size_t>(n) == sizeof path)
        return {};
    const std::string s(path, static_cast<std::size_t>(n));
    return s.substr(0, s.rfind('/') + 1);
}
