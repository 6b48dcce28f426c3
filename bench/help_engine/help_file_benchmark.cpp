#include "timing.h"

#include "chm_archive.h"
#include "help_file.h"
#include "opened_help_files.h"
#include "program_folder.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#ifdef _WIN32
#include <windows.h>

#include <psapi.h>
#else
#include <sys/resource.h>
#endif

// What the help engine's reader costs on the build's kibrel.chm: a pop-up, with the file opened
// anew (the first F1) and kept open (every later one, as long as the file on disk stays the
// same), opening the help window, a page, a search; and how much memory it takes, against the
// file's size.

namespace {

using namespace help_engine;

const char* const resetTable =
    "::DataSpace/Storage/MSCompressed/Transform/{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/"
    "InstanceData/ResetTable";

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

double peakMegabytes() {
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.PeakWorkingSetSize) / (1 << 20);
#else
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024;
#endif
}

void figure(const char* name, double value, const char* unit) {
    std::printf("%-60s %12.1f %s\n", name, value, unit);
}

} // namespace

int main() {
    const std::string path = programFolder() + "kibrel.chm";
    const std::string bytes = fileBytes(path);
    std::optional<HelpFile> file = HelpFile::open(bytes);
    std::optional<ChmArchive> archive = ChmArchive::open(bytes);
    if (!file || !archive || !file->popupText("/cshelp.txt", 11001)) {
        std::fprintf(stderr, "kibrel.chm beside the benchmark does not read\n");
        return 1;
    }
    std::uint64_t compressed = 0;
    for (const auto& [name, entry] : archive->entries())
        compressed += entry.section == 1 ? entry.length : 0;
    figure("kibrel.chm, bytes", static_cast<double>(bytes.size()), "B");
    figure("  files of its compressed section, bytes", static_cast<double>(compressed), "B");

    bench::report("pop-up text, file opened anew: read, open, decode, find 11001",
                  bench::secondsPerRun(
                      [&] { HelpFile::open(fileBytes(path))->popupText("/cshelp.txt", 11001); }));
    OpenedHelpFiles opened;
    bench::report("pop-up text, file kept open: its stamp read, find 11001",
                  bench::secondsPerRun([&] {
                      const FileStamp stamp{
                          std::filesystem::file_size(path),
                          static_cast<std::uint64_t>(
                              std::filesystem::last_write_time(path).time_since_epoch().count())};
                      opened.open(path, stamp, [&] { return std::optional(fileBytes(path)); })
                          ->popupText("/cshelp.txt", 11001);
                  }));
    bench::report("help window's file: open, contents, index, first page",
                  bench::secondsPerRun([&] {
                      std::optional<HelpFile> opened = HelpFile::open(bytes);
                      opened->page(opened->defaultTopic().path);
                  }));
    bench::report("one page as text (search.html, the longest)",
                  bench::secondsPerRun([&] { file->page("/search.html"); }));
    bench::report("first search (every page read as text)",
                  bench::secondsPerRun([&] { HelpFile::open(bytes)->search(u"\u9818\u57DF"); }));
    bench::report("later search, two words",
                  bench::secondsPerRun([&] { file->search(u"rename test"); }));

    // A damaged copy whose reset table states a compressed section of a terabyte: refused
    // before anything is allocated for it.
    std::string damaged = bytes;
    std::uint64_t at = 0;
    for (int i = 7; i >= 0; --i)
        at = at << 8 | static_cast<std::uint8_t>(bytes[0x58 + i]);
    at += archive->entries().at(resetTable).offset + 16;
    for (int i = 0; i < 8; ++i)
        damaged[at + i] = static_cast<char>((std::uint64_t{1} << 40) >> (8 * i) & 0xFF);
    if (HelpFile::open(damaged)->popupText("/cshelp.txt", 11001)) {
        std::fprintf(stderr, "the damaged copy gave a pop-up text\n");
        return 1;
    }
    bench::report(
        "pop-up text of a file stating a 1 TiB section: refused",
        bench::secondsPerRun([&] { HelpFile::open(damaged)->popupText("/cshelp.txt", 11001); }));
    figure("peak memory of this process", peakMegabytes(), "MiB");
    return 0;
}
