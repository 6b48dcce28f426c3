#include "timing.h"

#include "drop_files.h"
#include "list_view.h"
#include "program_process.h"
#include "resource.h"
#include "screen_capture.h"
#include "settings_key.h"
#include "temp_folder.h"
#include "test_paths.h"
#include "user_input.h"
#include "wait.h"
#include "window_query.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

// The rename pass of the window over many listed files, from the press of "Rename!" until the
// last row has left the list, beside kibrel-cli.exe renaming the same files in the same run;
// and how often the list showed its progress meanwhile.

namespace {

const std::string search = "{\\d\\d\\d\\d}_{\\d\\d\\d\\d}";
const std::string replace = "\\2-\\1";

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The name of file `i` of the run before and after the rename: aaaa_2001_0903.jpg becomes
// aaaa_0903-2001.jpg, the four letters in front making each row look different in the list.
std::string tag(int i) {
    std::string letters(4, 'a');
    for (int k = 3, v = i; k >= 0; --k, v /= 26)
        letters[static_cast<std::size_t>(k)] = static_cast<char>('a' + v % 26);
    return letters;
}
std::string oldName(int i) {
    return tag(i) + "_2001_0903.jpg";
}
std::string newName(int i) {
    return tag(i) + "_0903-2001.jpg";
}

// Writes the `count` files into `folder`; their paths, or nothing when one could not be made.
std::vector<std::string> makeFiles(const e2e::TempFolder& folder, int count) {
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        if (!folder.writeFile(oldName(i)))
            return {};
        paths.push_back(folder.pathOf(oldName(i)));
    }
    return paths;
}

// True when `folder` holds exactly the `count` files under their new names.
bool allRenamed(const e2e::TempFolder& folder, int count) {
    const auto contents = folder.contents();
    if (contents.size() != static_cast<std::size_t>(count))
        return false;
    for (int i = 0; i < count; ++i) {
        if (contents.count(newName(i)) == 0)
            return false;
    }
    return true;
}

struct WindowRun {
    double seconds = -1;
    // The longest time in which the list on the screen did not change, from the press until the
    // last row had left.
    double longestStill = 0;
};

// What the list's rows show on the screen, without its scroll bars: their pixels, compared
// from one look to the next.
std::vector<std::uint32_t> listOnScreen(HWND list) {
    RECT area{};
    GetClientRect(list, &area);
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&area), 2);
    return e2e::captureScreen(area).values;
}

// Starts the window, drops the files on it, tests, then presses "Rename!" and waits until the
// list is empty, looking at the list on the screen meanwhile.
WindowRun windowRenamePass(int rows) {
    WindowRun run;
    e2e::removeSettings();
    e2e::TempFolder folder;
    const std::vector<std::string> paths = makeFiles(folder, rows);
    e2e::ProgramProcess program;
    const DWORD patienceMs = 1800 * 1000;
    e2e::LaunchOptions options;
    options.programPath = e2e::kibrelPath();
    options.commandLine = '"' + options.programPath + '"';
    options.currentFolder = folder.path();
    if (!folder.valid() || paths.empty() || !program.start(options))
        return run;
    const HWND window = program.waitForMainWindow(e2e::defaultTimeoutMs);
    if (window == nullptr)
        return run;
    const HWND listWindow = e2e::childById(window, IDC_FILES);
    const e2e::RemoteListView list(listWindow);
    e2e::dropFiles(window, paths, patienceMs);
    if (!e2e::waitUntil([&] { return list.itemCount() == rows; }, patienceMs)) {
        std::fprintf(stderr, "the %d rows could not be listed\n", rows);
        return run;
    }
    e2e::typeReplacing(e2e::childById(window, IDC_SEARCH), search);
    e2e::typeReplacing(e2e::childById(window, IDC_REPLACE), replace);
    const HWND action = e2e::childById(window, IDC_ACTION);
    e2e::clickButton(action);
    if (!e2e::waitUntil([&] { return e2e::windowText(action) == "Rename!"; }, patienceMs) ||
        list.itemText(rows - 1, 2).value_or("") != newName(rows - 1)) {
        std::fprintf(stderr, "the test pass over %d rows did not give the new names\n", rows);
        return run;
    }

    std::vector<std::uint32_t> shown = listOnScreen(listWindow);
    const Clock::time_point pressed = Clock::now();
    e2e::clickButton(action);
    // Progress is looked at on the screen: a window busy with the pass answers no message until
    // it ends, so the row count, asked with a short timeout, tells only that end.
    Clock::time_point lastChange = pressed;
    while (program.running()) {
        Sleep(20);
        std::vector<std::uint32_t> now = listOnScreen(listWindow);
        const Clock::time_point seen = Clock::now();
        if (now != shown) {
            run.longestStill = std::max(run.longestStill,
                                        std::chrono::duration<double>(seen - lastChange).count());
            lastChange = seen;
            shown = std::move(now);
        }
        DWORD_PTR count = 0;
        if (SendMessageTimeoutA(listWindow, LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, 10, &count) &&
            count == 0)
            break;
        if (secondsSince(pressed) > patienceMs / 1000.0)
            break;
    }
    const double seconds = secondsSince(pressed);
    run.longestStill = std::max(run.longestStill,
                                std::chrono::duration<double>(Clock::now() - lastChange).count());
    const bool ended = program.running() && list.itemCount() == 0 &&
                       e2e::windowText(action) == "Test" && allRenamed(folder, rows);
    program.kill();
    e2e::removeSettings();
    if (!ended) {
        std::fprintf(stderr, "the rename pass over %d rows did not rename every file\n", rows);
        return run;
    }
    run.seconds = seconds;
    return run;
}

// This process's environment with LOCALAPPDATA, where kibrel-cli.exe keeps its journal, set to
// `folder`, as a block for CreateProcessA.
std::string environmentWith(const std::string& folder) {
    std::string block;
    char* strings = GetEnvironmentStringsA();
    for (const char* entry = strings; entry != nullptr && *entry != '\0';
         entry += std::char_traits<char>::length(entry) + 1) {
        if (_strnicmp(entry, "LOCALAPPDATA=", 13) != 0)
            block.append(entry).push_back('\0');
    }
    FreeEnvironmentStringsA(strings);
    block.append("LOCALAPPDATA=" + folder).push_back('\0');
    return block;
}

// kibrel-cli.exe renaming the same files, read from a list file: the seconds from its start to
// its end, or a negative value when it failed or left a file unrenamed.
double cliRenamePass(int rows) {
    e2e::TempFolder folder;
    e2e::TempFolder state;
    const std::vector<std::string> paths = makeFiles(folder, rows);
    if (!folder.valid() || !state.valid() || paths.empty())
        return -1;
    std::string list;
    for (const std::string& path : paths)
        list += path + '\n';
    if (!state.writeFile("paths", list))
        return -1;
    const std::string cli =
        e2e::kibrelPath().substr(0, e2e::kibrelPath().rfind('\\') + 1) + "kibrel-cli.exe";
    std::string commandLine = '"' + cli + "\" -q --code-page=932 --from-file=\"" +
                              state.pathOf("paths") + "\" -s \"" + search + "\" -r \"" + replace +
                              '"';
    std::string environment = environmentWith(state.path());
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const Clock::time_point started = Clock::now();
    if (!CreateProcessA(cli.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        environment.data(), folder.path().c_str(), &startup, &process)) {
        std::fprintf(stderr, "kibrel-cli.exe could not be started (%lu)\n", GetLastError());
        return -1;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    const double seconds = secondsSince(started);
    DWORD status = 1;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (status != 0 || !allRenamed(folder, rows)) {
        std::fprintf(stderr, "kibrel-cli.exe did not rename the %d files (exit %lu)\n", rows,
                     status);
        return -1;
    }
    return seconds;
}

} // namespace

// The row counts come from the command line; 1,000 and 5,000 by default.
int main(int argc, char** argv) {
    SetEnvironmentVariableA("JRE32_CODEPAGE", "932");
    std::vector<int> counts;
    for (int i = 1; i < argc; ++i)
        counts.push_back(std::atoi(argv[i]));
    if (counts.empty())
        counts = {1000, 5000};

    std::printf("Rename pass in the window and in kibrel-cli.exe: Search %s, Replace %s\n",
                search.c_str(), replace.c_str());
    int failed = 0;
    char label[96];
    for (int rows : counts) {
        const WindowRun window = windowRenamePass(rows);
        const double cli = cliRenamePass(rows);
        if (window.seconds < 0 || cli < 0) {
            failed = 1;
            continue;
        }
        std::snprintf(label, sizeof label, "%d rows: press of Rename! until the list is empty",
                      rows);
        bench::report(label, window.seconds);
        std::snprintf(label, sizeof label, "%d rows: longest time the list showed no progress",
                      rows);
        bench::report(label, window.longestStill);
        std::snprintf(label, sizeof label, "%d files: kibrel-cli.exe from start to end", rows);
        bench::report(label, cli);
        std::snprintf(label, sizeof label, "%d rows: window / kibrel-cli.exe", rows);
        std::printf("%-60s %12.2f\n", label, window.seconds / cli);
        std::fflush(stdout);
    }
    return failed;
}
