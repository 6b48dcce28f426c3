#pragma once

#include <windows.h>

namespace e2e {

// How long the driver waits, by default, for the program to react to one action under Wine.
constexpr DWORD defaultTimeoutMs = 15000;

// Polls `condition` until it holds or `timeoutMs` have passed; true when it held.
template <typename Condition> bool waitUntil(Condition condition, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(20);
    }
}

} // namespace e2e
