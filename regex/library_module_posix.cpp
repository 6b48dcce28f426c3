#include "library_module.h"

#include <dlfcn.h>
#include <string>
#include <unistd.h>

namespace {

// The folder of the running program, with its trailing slash, or empty when it is unknown.
std::string programFolder() {
    char path[4096];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return {};
    std::string s(path, static_cast<std::size_t>(n));
    return s.substr(0, s.rfind('/') + 1);
}

} // namespace

// A bare name is looked for beside the program first, as Windows does, then on the usual
// library path.
LibraryModule loadLibraryModule(const char* name) {
    std::string n(name);
    if (n.find('/') == std::string::npos) {
        std::string beside = programFolder() + n;
        if (void* module = dlopen(beside.c_str(), RTLD_NOW | RTLD_LOCAL))
            return module;
    }
    return dlopen(name, RTLD_NOW | RTLD_LOCAL);
}

LibrarySymbol findLibrarySymbol(LibraryModule module, const char* name) {
    return reinterpret_cast<LibrarySymbol>(dlsym(module, name));
}

void freeLibraryModule(LibraryModule module) {
    dlclose(module);
}
