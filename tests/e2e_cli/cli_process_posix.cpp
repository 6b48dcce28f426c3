#include "cli_process.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

std::string programFolder() {
    char path[4096];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return {};
    std::string s(path, static_cast<std::size_t>(n));
    return s.substr(0, s.rfind('/') + 1);
}

// A file that takes one of the child's standard streams, read back and removed afterwards.
class Capture {
  public:
    Capture() {
        char name[] = "/tmp/kibrel-cli-capture-XXXXXX";
        fd_ = mkstemp(name);
        name_ = name;
    }
    ~Capture() {
        if (fd_ >= 0)
            close(fd_);
        unlink(name_.c_str());
    }
    int fd() const { return fd_; }
    std::string contents() const {
        std::string text;
        lseek(fd_, 0, SEEK_SET);
        char buffer[65536];
        ssize_t n;
        while ((n = read(fd_, buffer, sizeof buffer)) > 0)
            text.append(buffer, static_cast<std::size_t>(n));
        return text;
    }

  private:
    int fd_ = -1;
    std::string name_;
};

// The environment of this process with the locale set to C.UTF-8.
std::vector<std::string> childEnvironment() {
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        std::string entry = *e;
        if (entry.rfind("LC_", 0) != 0 && entry.rfind("LANG=", 0) != 0)
            env.push_back(entry);
    }
    env.push_back("LC_ALL=C.UTF-8");
    return env;
}

std::vector<char*> pointers(std::vector<std::string>& texts) {
    std::vector<char*> p;
    for (std::string& t : texts)
        p.push_back(t.data());
    p.push_back(nullptr);
    return p;
}

} // namespace

std::string builtCli() {
    return programFolder() + "kibrel-cli";
}

CliResult runProgram(const std::string& program, const std::vector<std::string>& args,
                     const std::string& workingFolder) {
    std::vector<std::string> argv{program};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<std::string> env = childEnvironment();
    std::vector<char*> argvPointers = pointers(argv);
    std::vector<char*> envPointers = pointers(env);

    Capture out;
    Capture err;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out.fd(), 1);
    posix_spawn_file_actions_adddup2(&actions, err.fd(), 2);
    if (!workingFolder.empty())
        posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str());
    CliResult result;
    pid_t pid = 0;
    int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argvPointers.data(),
                              envPointers.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return result;
    int status = 0;
    waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = out.contents();
    result.err = err.contents();
    return result;
}

std::string onTerminal(std::string_view utf8) {
    return std::string(utf8);
}
