#include "program_folder.h"
#include "timing.h"

#include <cstdio>
#include <fcntl.h>
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

// count names like the worked example's, each made its own by four letters:
// photo_2001_0903_aaaa.jpg, photo_2001_0903_aaab.jpg, ...
std::vector<std::string> exampleNames(int count) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
        std::string tag(4, 'a');
        for (int k = 3, v = i; k >= 0; --k, v /= 26)
            tag[static_cast<std::size_t>(k)] = static_cast<char>('a' + v % 26);
        names.push_back("photo_2001_0903_" + tag + ".jpg");
    }
    return names;
}

// Runs the program with its arguments and the names, standard output into the file output;
// false when it could not be started or did not exit with 0.
bool run(const std::vector<std::string>& command, const std::vector<std::string>& names,
         const char* output) {
    std::vector<char*> argv;
    for (const std::string& s : command)
        argv.push_back(const_cast<char*>(s.c_str()));
    for (const std::string& s : names)
        argv.push_back(const_cast<char*>(s.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output, O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = 0;
    int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return spawned == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
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

// The pairs of old and new name that kibrel-cli printed ("old<TAB>new" lines) or that rename
// printed ("rename(old, new)" lines), one "old|new" line each, to compare the two.
std::string pairsOfKibrel(const std::string& out) {
    std::string pairs;
    for (std::size_t at = 0; at < out.size();) {
        std::size_t end = out.find('\n', at);
        std::string line = out.substr(at, end - at);
        std::size_t tab = line.find('\t');
        if (tab != std::string::npos)
            pairs += line.substr(0, tab) + "|" + line.substr(tab + 1) + "\n";
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

} // namespace

int main() {
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
    close(mkstemp(kibrelOut));
    close(mkstemp(renameOut));

    std::printf("dry runs over names like photo_2001_0903_aaaa.jpg: kibrel-cli --dry-run against "
                "Debian's Perl rename -n\n");
    std::printf("%-16s %8s %14s %14s %8s\n", "", "names", "kibrel-cli", "rename -n", "ratio");
    int failed = 0;
    for (const Substitution& sub : substitutions) {
        const std::vector<std::string> kibrel{programFolder() + "kibrel-cli",
                                              "--code-page=utf-8",
                                              "--dry-run",
                                              "-s",
                                              sub.search,
                                              "-r",
                                              sub.replace};
        const std::vector<std::string> rename{"rename", "-n", sub.perl};
        for (int count : {10000, 100000}) {
            const std::vector<std::string> names = exampleNames(count);
            // Both must give the same new names before their times mean anything.
            if (!run(kibrel, names, kibrelOut) || !run(rename, names, renameOut) ||
                pairsOfKibrel(contentsOf(kibrelOut)) != pairsOfRename(contentsOf(renameOut)) ||
                pairsOfKibrel(contentsOf(kibrelOut)).size() < names.size()) {
                std::fprintf(stderr, "%s, %d names: kibrel-cli and rename disagree or failed\n",
                             sub.label, count);
                failed = 1;
                continue;
            }
            const double kibrelSeconds =
                bench::secondsPerRun([&] { run(kibrel, names, "/dev/null"); });
            const double renameSeconds =
                bench::secondsPerRun([&] { run(rename, names, "/dev/null"); });
            std::printf("%-16s %8d %11.1f ms %11.1f ms %7.2fx\n", sub.label, count,
                        kibrelSeconds * 1e3, renameSeconds * 1e3, kibrelSeconds / renameSeconds);
            std::fflush(stdout);
        }
    }
    unlink(kibrelOut);
    unlink(renameOut);
    return failed;
}
