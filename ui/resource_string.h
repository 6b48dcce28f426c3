#pragma once

#include <windows.h>

#include <string>

// A string resource of the program, read through a buffer of Size bytes (terminating zero
// included), so at most Size - 1 bytes of it; empty when there is no such resource.
template <int Size> std::string loadResourceString(unsigned id) {
    static_assert(Size > 1);
    char buffer[Size] = {};
    int length = LoadStringA(GetModuleHandleA(nullptr), id, buffer, Size);
    if (length <= 0)
        return {};
    return std::string(buffer, static_cast<std::size_t>(length < Size ? length : Size - 1));
}
