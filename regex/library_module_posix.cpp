#include "library_module.h"

#include "program_folder.h"

#include <dlfcn.h>
#include <string>

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
