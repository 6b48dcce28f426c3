// The cost of one full use of a RegexHandle (construct, open, compile, findMatch, destroy),
// which every match of the window's test pass pays, against one handle kept open.
#include "regex_handle.h"
#include "timing.h"

#include <cstdio>
#include <string>

int main() {
    const std::string pattern = "[0-9][0-9][0-9][0-9]_[0-9][0-9][0-9][0-9]";
    const std::string name = "photo_2001_0903.jpg";
    int found = 0;

    double fullUse = bench::secondsPerRun([&] {
        RegexHandle handle;
        if (handle.open() == 1 && handle.compile(pattern) != 0) {
            handle.findMatch(name, 0);
            found += handle.matchLength();
        }
    });

    RegexHandle kept;
    if (kept.open() != 1) {
        std::fprintf(stderr, "the regex library %s cannot be opened\n",
                     RegexHandle::libraryName().c_str());
        return 1;
    }
    double compileMatch = bench::secondsPerRun([&] {
        if (kept.compile(pattern) != 0) {
            kept.findMatch(name, 0);
            found += kept.matchLength();
        }
    });
    double matchOnly = bench::secondsPerRun([&] {
        kept.findMatch(name, 0);
        found += kept.matchLength();
    });

    std::printf("RegexHandle, pattern %s on name %s\n", pattern.c_str(), name.c_str());
    bench::report("full use: construct, open, compile, findMatch, destroy", fullUse);
    bench::report("compile + findMatch on a handle kept open", compileMatch);
    bench::report("findMatch alone on a handle kept open", matchOnly);
    std::printf("%-60s %12.1f %%\n", "share of a full use spent loading, opening and freeing",
                100.0 * (fullUse - compileMatch) / fullUse);
    return found > 0 ? 0 : 1;
}
