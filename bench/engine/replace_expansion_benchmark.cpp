#include "timing.h"

#include "replace_expansion.h"
#include "table_code_page.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

// The expansion of a Replace text of n back references "\0" of a two-byte match, for n from 8k
// to 64k: the time per back reference stays the same as n doubles, since the expansion is
// linear in the length of its result. Then the same texts as a new name is made of them, where
// the expansion stops once the name is longer than any file system allows.
int main() {
    const TableCodePage codePage(932);
    const std::vector<std::string_view> captures{"ab"};
    int failed = 0;
    for (const bool whole : {true, false}) {
        for (const std::size_t n : {8192u, 16384u, 32768u, 65536u}) {
            std::string replace;
            for (std::size_t i = 0; i < n; ++i)
                replace += "\\0";
            const std::size_t stopAfter = whole ? std::string::npos : 4096;
            const std::string once = expandReplacement(replace, captures, codePage, 1, stopAfter);
            if (whole ? once.size() != 2 * n : once.size() > 4098) {
                std::fprintf(stderr, "%zu back references gave %zu bytes\n", n, once.size());
                failed = 1;
            }
            const double seconds = bench::secondsPerRun(
                [&] { expandReplacement(replace, captures, codePage, 1, stopAfter); }, 0.2);
            char label[96];
            std::snprintf(label, sizeof label, "expandReplacement, %zuk \\0%s", n / 1024,
                          whole ? "" : ", stopping after 4096 bytes");
            bench::report(label, seconds);
            std::printf("%-60s %12.2f ns\n", "  per back reference",
                        seconds * 1e9 / static_cast<double>(n));
        }
    }
    return failed;
}
