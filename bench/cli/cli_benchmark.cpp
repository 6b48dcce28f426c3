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

// The worked example of the regions, and the same substitution in Perl, every match replaced,
// printing each name as kibrel-cli does: the old name, a tab, the new name.
const char* const search = "{\\d\\d\\d\\d}_{\\d\\d\\d\\d}";
const char* const replace = "\\2-\\1";
const char* const perlProgram =
    "for (@ARGV) { (my $n = $_) =~ s/([0-9]{4})_([0-9]{4})/$2-$1/g; print \"$_\\t$n\\n\" }";

std::string programFolder() {
    char path[4096];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    std::string s(path, static_cast<std::size_t>(n > 0 ? n : 0));
    return s.substr(0, s.rfind('/') + 1);
}

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

    const std::vector<std::string> kibrel{programFolder() + "kibrel-cli",
                                          "--code-page=utf-8",
                                          "--dry-run",
                                          "-s",
                                          search,
                                          "-r",
                                          replace};
    const std::vector<std::string> perl{"perl", "-e", perlProgram};
    char kibrelOut[] = "/tmp/kibrel-cli-bench-XXXXXX";
    char perlOut[] = "/tmp/kibrel-cli-bench-XXXXXX";
    close(mkstemp(kibrelOut));
    close(mkstemp(perlOut));

    std::printf("dry run, Search %s, Replace %s, names like photo_2001_0903_aaaa.jpg\n", search,
                replace);
    std::printf("%10s %22s %22s %10s\n", "names", "kibrel-cli --dry-run", "perl s///g", "ratio");
    int failed = 0;
    for (int count : {10000, 100000}) {
        const std::vector<std::string> names = exampleNames(count);
        // Both must print the same lines before their times mean anything.
        if (!run(kibrel, names, kibrelOut) || !run(perl, names, perlOut) ||
            contentsOf(kibrelOut) != contentsOf(perlOut) ||
            contentsOf(kibrelOut).find("\tphoto_0903-2001_aaaa.jpg\n") == std::string::npos) {
            std::fprintf(stderr, "%d names: kibrel-cli and perl disagree or failed\n", count);
            failed = 1;
            break;
        }
        double kibrelSeconds = bench::secondsPerRun([&] { run(kibrel, names, "/dev/null"); });
        double perlSeconds = bench::secondsPerRun([&] { run(perl, names, "/dev/null"); });
        std::printf("%10d %19.1f ms %19.1f ms %9.1fx\n", count, kibrelSeconds * 1e3,
                    perlSeconds * 1e3, kibrelSeconds / perlSeconds);
        std::fflush(stdout);
    }
    unlink(kibrelOut);
    unlink(perlOut);
    return failed;
}
