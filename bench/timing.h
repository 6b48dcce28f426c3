#pragma once

#include <chrono>
#include <cstdio>

// A small timing harness that builds the same way natively and with mingw-w64: it runs a body
// repeatedly for at least a minimum time and prints the mean time per run.
namespace bench {

template <typename Body> double secondsPerRun(Body&& body, double minSeconds = 0.5) {
    using Clock = std::chrono::steady_clock;
    long runs = 0;
    auto start = Clock::now();
    double elapsed = 0;
    do {
        body();
        ++runs;
        elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    } while (elapsed < minSeconds);
    return elapsed / static_cast<double>(runs);
}

inline void report(const char* name, double seconds) {
    if (seconds >= 1e-3)
        std::printf("%-60s %12.3f ms\n", name, seconds * 1e3);
    else
        std::printf("%-60s %12.3f us\n", name, seconds * 1e6);
    std::fflush(stdout);
}

} // namespace bench
