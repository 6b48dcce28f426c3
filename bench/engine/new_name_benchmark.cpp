#include "failing_messages.h"
#include "timing.h"

#include "handle_per_match.h"
#include "regex_handle.h"
#include "rename_engine.h"
#include "table_code_page.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

// Times computeNewName on one name and prints the time per call and the library loads per
// call (every match loads and frees the library, since no RegexHandle outlives it).
int measure(const char* label, const std::string& search, const std::string& replace,
            const std::string& name, const std::string& expected) {
    TableCodePage codePage(932);
    bench::FailingMessages messages;
    HandlePerMatch matcher;
    RenameEngine engine(codePage, messages, matcher);
    engine.searchText = search;
    engine.replaceText = replace;
    if (!engine.preparePatternForPass())
        return 1;
    std::string result = engine.computeNewName(name);
    if (result != expected || RegexHandle::libraryLoaded()) {
        std::fprintf(stderr, "%s: got \"%s\"\n", label, result.c_str());
        return 1;
    }
    long usesBefore = engine.regexUses();
    long calls = 0;
    double seconds = bench::secondsPerRun([&] {
        engine.computeNewName(name);
        ++calls;
    });
    bench::report(label, seconds);
    std::printf("%-60s %12.1f\n", "  library loads per call",
                static_cast<double>(engine.regexUses() - usesBefore) / static_cast<double>(calls));
    return 0;
}

} // namespace

int main() {
#ifdef _WIN32
    SetEnvironmentVariableA("JRE32_CODEPAGE", "932");
#else
    setenv("JRE32_CODEPAGE", "932", 1);
#endif
    int failed =
        measure("computeNewName, photo_2001_0903.jpg, two regions", "{\\d\\d\\d\\d}_{\\d\\d\\d\\d}",
                "\\2-\\1", "photo_2001_0903.jpg", "photo_0903-2001.jpg");

    const std::string letters(60, 'k');
    const std::string digits(60, '7');
    const std::string upper(60, 'Q');
    const std::string suffix = ".final-version.txt";
    const std::string longName = letters + "_" + digits + "_" + upper + suffix;
    failed |=
        measure("computeNewName, 200-byte name, three regions of 60 bytes", "{\\a+}_{\\d+}_{\\a+}",
                "\\3_\\2_\\1", longName, upper + "_" + digits + "_" + letters + suffix);
    std::printf("%-60s %12zu\n", "  bytes in the long name", longName.size());
    return failed;
}
