#include "library_module.h"

#include <windows.h>

LibraryModule loadLibraryModule(const char* name) {
    return reinterpret_cast<LibraryModule>(LoadLibraryA(name));
}

LibrarySymbol findLibrarySymbol(LibraryModule module, const char* name) {
    return reinterpret_cast<LibrarySymbol>(GetProcAddress(reinterpret_cast<HMODULE>(module), name));
}

void freeLibraryModule(LibraryModule module) {
    FreeLibrary(reinterpret_cast<HMODULE>(module));
}
