#include "failing_messages.h"
#include "timing.h"

#include "drop_files.h"
#include "handle_per_match.h"
#include "list_view.h"
#include "program_process.h"
#include "regex_handle.h"
#include "rename_engine.h"
#include "resource.h"
#include "settings_key.h"
#include "table_code_page.h"
#include "temp_folder.h"
#include "test_paths.h"
#include "user_input.h"
#include "wait.h"
#include "window_query.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

// The test pass of the window over many rows of the first worked example's name, and how much
// of it goes into loading and freeing the regex library, which the pass now holds from its
// first row to its last.

namespace {

const std::string search = "{\\d\\d\\d\\d}_{\\d\\d\\d\\d}";
const std::string replace = "\\2-\\1";
const std::string name = "photo_2001_0903.jpg";
const std::string expected = "photo_0903-2001.jpg";

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// One row's new name with the same engine as the window's: once as a pass computes it, the
// pass holding the library from its first row to its last, and once loading and freeing the
// library around every match, as each match would without that hold. Returns the time of one
// load and free of the library, which a pass now pays once.
double oneLoadOfTheLibrary() {
    TableCodePage codePage(932);
    bench::FailingMessages messages;
    HandlePerMatch matcher;
    RenameEngine engine(codePage, messages, matcher);
    engine.searchText = search;
    engine.replaceText = replace;
    if (!engine.preparePatternForPass() || engine.replaceAllMatches(name).newName != expected) {
        std::fprintf(stderr, "the engine does not give %s\n", expected.c_str());
        std::exit(1);
    }
    const double loadingEveryMatch = bench::secondsPerRun([&] { engine.replaceAllMatches(name); });
    matcher.rowsBegin();
    if (!RegexHandle::libraryLoaded()) {
        std::fprintf(stderr, "the library cannot be opened\n");
        std::exit(1);
    }
    const double heldByThePass = bench::secondsPerRun([&] { engine.replaceAllMatches(name); });
    matcher.rowsEnd();
    const double loadAndFree = bench::secondsPerRun([] {
        RegexHandle handle;
        handle.open();
    });
    bench::report("one row's new name, the library held by the pass", heldByThePass);
    bench::report("the same, loading and freeing the library every match", loadingEveryMatch);
    bench::report("one load and free of the library", loadAndFree);
    return loadAndFree;
}

// Starts the window, drops `rows` rows on it, presses "Test" and waits until the last row shows its
// new name; the seconds from the press until then, or a negative value on failure.
double windowTestPass(int rows) {
    e2e::removeSettings();
    e2e::TempFolder folder;
    e2e::ProgramProcess program;
    const DWORD patienceMs = 1800 * 1000;
    e2e::LaunchOptions options;
    options.programPath = e2e::kibrelPath();
    options.commandLine = '"' + options.programPath + '"';
    options.currentFolder = folder.path();
    if (!folder.valid() || !program.start(options))
        return -1;
    const HWND window = program.waitForMainWindow(e2e::defaultTimeoutMs);
    if (window == nullptr)
        return -1;
    const e2e::RemoteListView list(e2e::childById(window, IDC_FILES));
    // All rows come in one drop, as a user lists them.
    const Clock::time_point dropped = Clock::now();
    e2e::dropFiles(window,
                   std::vector<std::string>(static_cast<std::size_t>(rows), folder.pathOf(name)),
                   patienceMs);
    if (!e2e::waitUntil([&] { return list.itemCount() == rows; }, patienceMs)) {
        std::fprintf(stderr, "the %d rows could not be listed%s\n", rows,
                     program.running() ? "" : ": the window has ended");
        return -1;
    }
    std::printf("%d rows listed by one drop in %.1f s\n", rows, secondsSince(dropped));
    e2e::typeReplacing(e2e::childById(window, IDC_SEARCH), search);
    e2e::typeReplacing(e2e::childById(window, IDC_REPLACE), replace);

    const Clock::time_point pressed = Clock::now();
    e2e::clickButton(e2e::childById(window, IDC_ACTION));
    const bool shown = e2e::waitUntil(
        [&] { return !program.running() || list.itemText(rows - 1, 2).value_or("") == expected; },
        patienceMs);
    if (!program.running()) {
        std::fprintf(stderr, "the window ended during the test pass\n");
        return -1;
    }
    const double seconds = secondsSince(pressed);
    const bool armed = e2e::windowText(e2e::childById(window, IDC_ACTION)) == "Rename!";
    const bool firstRight = list.itemText(0, 2).value_or("") == expected;
    program.kill();
    e2e::removeSettings();
    return shown && armed && firstRight ? seconds : -1;
}

} // namespace

// The row counts come from the command line; 1,000 and 10,000 by default.
int main(int argc, char** argv) {
    SetEnvironmentVariableA("JRE32_CODEPAGE", "932");
    std::vector<int> counts;
    for (int i = 1; i < argc; ++i)
        counts.push_back(std::atoi(argv[i]));
    if (counts.empty())
        counts = {1000, 10000};

    std::printf("Test pass in the window: Search %s, Replace %s, every row %s\n", search.c_str(),
                replace.c_str(), name.c_str());
    const double loadAndFree = oneLoadOfTheLibrary();
    int failed = 0;
    for (int rows : counts) {
        const double seconds = windowTestPass(rows);
        char label[96];
        if (seconds < 0) {
            std::fprintf(stderr, "the test pass over %d rows did not show its new names\n", rows);
            failed = 1;
            continue;
        }
        std::snprintf(label, sizeof label, "%d rows: press of Test until the last NewName shows",
                      rows);
        bench::report(label, seconds);
        std::snprintf(label, sizeof label, "%d rows: per row", rows);
        bench::report(label, seconds / rows);
        std::snprintf(label, sizeof label, "%d rows: share spent loading the library (once)", rows);
        std::printf("%-60s %12.2f %%\n", label, 100 * loadAndFree / seconds);
    }
    return failed;
}
