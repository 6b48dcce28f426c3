#pragma once

// Loading a shared library at run time: LoadLibraryA/GetProcAddress/FreeLibrary on Windows,
// dlopen/dlsym/dlclose elsewhere.
using LibraryModule = void*;
using LibrarySymbol = void (*)();

LibraryModule loadLibraryModule(const char* name);
LibrarySymbol findLibrarySymbol(LibraryModule module, const char* name);
void freeLibraryModule(LibraryModule module);
