#include "program_folder.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

// One substitution as kibrel-cli and Debian's Perl rename write it: the worked example of the
// regions, and the same match without braces, so that the cost of finding the regions shows.
struct Substitution {
    const char* label;
    const char* search;
    const char* replace;
    const char* perl;
};

const Substitution substitutions[] = {
    {"with regions", "{\\d\\d\\d\\d}_{\\d\\d\\d\\d}", "\\2-\\1", "s/(\\d{4})_(\\d{4})/$2-$1/"},
    {"without regions", "\\d\\d\\d\\d_\\d\\d\\d\\d", "date", "s/\\d{4}_\\d{4}/date/"},
};

// count names like the worked example's, each made its own by letters letters:
// photo_2001_0903_aaaa.jpg, photo_2001_0903_aaab.jpg, ...
std::vector<std::string> exampleNames(int count, int letters = 4) {
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        std::string tag(static_cast<std::size_t>(letters), 'a');
        for (int k = letters - 1, v = i; k >= 0; --k, v /= 26)
            tag[static_cast<std::size_t>(k)] = static_cast<char>('a' + v % 26);
        names.push_back("photo_2001_0903_" + tag + ".jpg");
    }
    return names;
}

// What one run of a program cost: its time on the clock, the processor time it took (user and
// system), which a machine shared with other work stretches less, and its peak resident memory.
struct Cost {
    double wallSeconds = 0;
    double cpuSeconds = 0;
    double peakBytes = 0;
};

double seconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
}

// Starts argv (ended by nullptr) with standard input from the file input and standard output
// into the file output, and waits for it; its cost, or nothing when it could not be started or
// did not exit with 0.
std::optional<Cost> spawnAndWait(char* const* argv, const char* input, const char* output) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, input, O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, output, O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    rusage usage{};
    if (spawned != 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return std::nullopt;
    Cost cost;
    cost.wallSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    cost.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    cost.peakBytes = static_cast<double>(usage.ru_maxrss) * 1024;
    return cost;
}

// A started program's peak memory counts the memory of the process that started it, which for
// this benchmark holds a million names. So every program is started by a small copy of the
// benchmark, run afresh as "--measure RESULT INPUT OUTPUT PROGRAM ARGUMENTS...", which writes
// the cost into the file RESULT.
constexpr const char* measureOption = "--measure";

int measure(int argc, char** argv) {
    if (argc < 6)
        return 1;
    const std::optional<Cost> cost = spawnAndWait(argv + 5, argv[3], argv[4]);
    std::FILE* result = std::fopen(argv[2], "wb");
    if (result == nullptr)
        return 1;
    const bool written = !cost || std::fprintf(result, "%.6f %.6f %.0f\n", cost->wallSeconds,
                                               cost->cpuSeconds, cost->peakBytes) > 0;
    return std::fclose(result) == 0 && written && cost ? 0 : 1;
}

// Runs the program with its arguments and the names, standard input from the file input,
// standard output into the file output; nothing when it could not be started or did not exit
// with 0.
std::optional<Cost> run(const std::vector<std::string>& command,
                        const std::vector<std::string>& names, const char* input,
                        const char* output) {
    char result[] = "/tmp/kibrel-cli-bench-XXXXXX";
    close(mkstemp(result));
    const std::string self = programFolder() + "cli_benchmark";
    std::vector<const char*> front{self.c_str(), measureOption, result, input, output};
    std::vector<char*> argv;
    for (const char* s : front)
        argv.push_back(const_cast<char*>(s));
    for (const std::string& s : command)
        argv.push_back(const_cast<char*>(s.c_str()));
    for (const std::string& s : names)
        argv.push_back(const_cast<char*>(s.c_str()));
    argv.push_back(nullptr);
    std::optional<Cost> cost = spawnAndWait(argv.data(), "/dev/null", "/dev/null");
    if (cost) {
        Cost measured;
        std::FILE* f = std::fopen(result, "rb");
        const bool read =
            f != nullptr && std::fscanf(f, "%lf %lf %lf", &measured.wallSeconds,
                                        &measured.cpuSeconds, &measured.peakBytes) == 3;
        if (f != nullptr)
            std::fclose(f);
        cost = read ? std::optional<Cost>(measured) : std::nullopt;
    }
    unlink(result);
    return cost;
}

// The cheapest of three runs, each figure on its own; nothing when a run failed.
std::optional<Cost> bestOfThree(const std::vector<std::string>& command,
                                const std::vector<std::string>& names, const char* input) {
    std::optional<Cost> best;
    for (int k = 0; k < 3; ++k) {
        const std::optional<Cost> cost = run(command, names, input, "/dev/null");
        if (!cost)
            return std::nullopt;
        if (!best) {
            best = cost;
            continue;
        }
        best->wallSeconds = std::min(best->wallSeconds, cost->wallSeconds);
        best->cpuSeconds = std::min(best->cpuSeconds, cost->cpuSeconds);
        best->peakBytes = std::min(best->peakBytes, cost->peakBytes);
    }
    return best;
}

std::string contentsOf(const char* path) {
    std::string text;
    if (std::FILE* f = std::fopen(path, "rb")) {
        char buffer[65536];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
            text.append(buffer, n);
        std::fclose(f);
    }
    return text;
}

// The pairs of old and new path that kibrel-cli printed ("path<TAB>new name" lines, the new
// name in the path's folder) or that rename printed ("rename(old, new)" lines), one "old|new"
// line each, to compare the two.
std::string pairsOfKibrel(const std::string& out) {
    std::string pairs;
    for (std::size_t at = 0; at < out.size();) {
        std::size_t end = out.find('\n', at);
        std::string line = out.substr(at, end - at);
        std::size_t tab = line.find('\t');
        if (tab != std::string::npos) {
            const std::string path = line.substr(0, tab);
            const std::size_t slash = path.rfind('/');
            const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
            pairs += path + "|" + folder + line.substr(tab + 1) + "\n";
        }
        at = end == std::string::npos ? out.size() : end + 1;
    }
    return pairs;
}

std::string pairsOfRename(const std::string& out) {
    std::string pairs;
    for (std::size_t at = 0; at < out.size();) {
        std::size_t end = out.find('\n', at);
        std::string line = out.substr(at, end - at);
        std::size_t comma = line.find(", ");
        if (line.rfind("rename(", 0) == 0 && comma != std::string::npos && line.back() == ')')
            pairs += line.substr(7, comma - 7) + "|" +
                     line.substr(comma + 2, line.size() - comma - 3) + "\n";
        at = end == std::string::npos ? out.size() : end + 1;
    }
    return pairs;
}

// Both programs over the same names, which they must rename alike before their costs mean
// anything; one line of figures, or false after saying why there is none. With a list, the
// names go to both as a file of one PATH a line (kibrel-cli --from-file, rename's standard
// input) instead of on the command line.
bool compare(const Substitution& sub, const std::vector<std::string>& names, const char* list,
             const char* kibrelOut, const char* renameOut) {
    std::vector<std::string> kibrel{programFolder() + "kibrel-cli",
                                    "--code-page=utf-8",
                                    "--dry-run",
                                    "-s",
                                    sub.search,
                                    "-r",
                                    sub.replace};
    const std::vector<std::string> rename{"rename", "-n", sub.perl};
    std::vector<std::string> arguments = names;
    if (list != nullptr) {
        kibrel.push_back(std::string("--from-file=") + list);
        arguments.clear();
    }
    const char* input = list != nullptr ? list : "/dev/null";
    const char* label = list != nullptr ? "from a file" : sub.label;
    if (!run(kibrel, arguments, input, kibrelOut) || !run(rename, arguments, input, renameOut) ||
        pairsOfKibrel(contentsOf(kibrelOut)) != pairsOfRename(contentsOf(renameOut)) ||
        pairsOfKibrel(contentsOf(kibrelOut)).size() < names.size()) {
        std::fprintf(stderr, "%s, %zu names: kibrel-cli and rename disagree or failed\n", label,
                     names.size());
        return false;
    }
    const std::optional<Cost> k = bestOfThree(kibrel, arguments, input);
    const std::optional<Cost> r = bestOfThree(rename, arguments, input);
    if (!k || !r) {
        std::fprintf(stderr, "%s, %zu names: a timed run failed\n", label, names.size());
        return false;
    }
    const auto count = static_cast<double>(names.size());
    std::printf("%-16s %8zu %8.0f %8.0f %8.0f %8.0f %6.2fx %6.2fx %6.1f %6.1f %7.0f\n", label,
                names.size(), k->cpuSeconds * 1e3, r->cpuSeconds * 1e3, k->wallSeconds * 1e3,
                r->wallSeconds * 1e3, k->cpuSeconds / r->cpuSeconds,
                k->wallSeconds / r->wallSeconds, k->peakBytes / 1e6, r->peakBytes / 1e6,
                k->peakBytes / count);
    std::fflush(stdout);
    return true;
}

// Makes an empty file for every path; false when one cannot be made.
bool makeFiles(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        if (fd < 0 || close(fd) != 0)
            return false;
    }
    return true;
}

void removeFiles(const std::vector<std::string>& paths) {
    for (const std::string& path : paths)
        unlink(path.c_str());
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == measureOption)
        return measure(argc, argv);
    // 100,000 names on one command line need more room than the usual quarter of an 8 MB
    // stack that the kernel gives the arguments.
    rlimit stack{};
    getrlimit(RLIMIT_STACK, &stack);
    rlim_t wanted = 256L * 1024 * 1024;
    stack.rlim_cur =
        stack.rlim_max == RLIM_INFINITY || stack.rlim_max > wanted ? wanted : stack.rlim_max;
    setrlimit(RLIMIT_STACK, &stack);

    char kibrelOut[] = "/tmp/kibrel-cli-bench-XXXXXX";
    char renameOut[] = "/tmp/kibrel-cli-bench-XXXXXX";
    char list[] = "/tmp/kibrel-cli-bench-XXXXXX";
    char folder[] = "/tmp/kibrel-cli-bench-XXXXXX";
    close(mkstemp(kibrelOut));
    close(mkstemp(renameOut));
    close(mkstemp(list));
    if (mkdtemp(folder) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }

    std::printf("dry runs over names like photo_2001_0903_aaaa.jpg: kibrel-cli --dry-run against "
                "Debian's Perl rename -n,\nbest of three runs; cpu = user + system time of the "
                "process, peak = its largest resident set\n");
    std::printf("%-16s %8s %8s %8s %8s %8s %7s %7s %6s %6s %7s\n", "", "", "cpu ms", "", "wall ms",
                "", "cpu", "wall", "peak", "MB", "kibrel");
    std::printf("%-16s %8s %8s %8s %8s %8s %7s %7s %6s %6s %7s\n", "", "names", "kibrel", "rename",
                "kibrel", "rename", "ratio", "ratio", "kibrel", "rename", "B/name");
    // The names are files of a folder of their own, which the programs run in, just so many as
    // are named: a dry run looks at the files it would rename.
    int failed = 0;
    const std::vector<std::string> names = exampleNames(100000);
    if (chdir(folder) != 0) {
        std::perror(folder);
        failed = 1;
    }
    std::size_t made = 0;
    for (std::size_t count : {std::size_t{10000}, names.size()}) {
        const std::vector<std::string> these(names.begin(),
                                             names.begin() + static_cast<long>(count));
        if (failed == 0 && !makeFiles(std::vector<std::string>(
                               these.begin() + static_cast<long>(made), these.end()))) {
            std::perror("the files of the names");
            failed = 1;
        }
        made = count;
        for (const Substitution& sub : substitutions)
            if (failed == 0 && !compare(sub, these, nullptr, kibrelOut, renameOut))
                failed = 1;
    }
    removeFiles(names);

    // A million paths in one folder, as a script hands them over: kibrel-cli reads them from a
    // file, rename from its standard input.
    std::vector<std::string> paths = exampleNames(1000000, 5);
    std::string lines;
    for (std::string& path : paths) {
        path.insert(0, std::string(folder) + "/");
        lines += path + "\n";
    }
    if (std::FILE* f = std::fopen(list, "wb")) {
        const bool written = std::fwrite(lines.data(), 1, lines.size(), f) == lines.size();
        if (std::fclose(f) != 0 || !written)
            failed = 1;
    }
    lines.clear();
    if (failed == 0 && !makeFiles(paths)) {
        std::perror("the files of the paths");
        failed = 1;
    }
    if (failed == 0 && !compare(substitutions[0], paths, list, kibrelOut, renameOut))
        failed = 1;
    removeFiles(paths);

    unlink(kibrelOut);
    unlink(renameOut);
    unlink(list);
    if (chdir("/") != 0 || rmdir(folder) != 0)
        failed = 1;
    return failed;
}
