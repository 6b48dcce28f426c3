#include "cli_process.h"
#include "program_folder.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// A file that takes one of the child's standard streams, read back and removed afterwards.
class Capture {
  public:
    explicit Capture(const std::string& contents = {}) {
        char name[] = "/tmp/kibrel-cli-capture-XXXXXX";
        fd_ = mkstemp(name);
        name_ = name;
        if (fd_ >= 0 && write(fd_, contents.data(), contents.size()) < 0)
            contentsWritten_ = false;
        lseek(fd_, 0, SEEK_SET);
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

    bool valid() const { return fd_ >= 0 && contentsWritten_; }

  private:
    int fd_ = -1;
    std::string name_;
    bool contentsWritten_ = true;
};

// The environment of this process with the locale and the state folder of the setting.
std::vector<std::string> childEnvironment(const RunSetting& setting) {
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        std::string entry = *e;
        if (entry.rfind("LC_", 0) != 0 && entry.rfind("LANG=", 0) != 0 &&
            entry.rfind("LANGUAGE=", 0) != 0 && entry.rfind("XDG_STATE_HOME=", 0) != 0)
            env.push_back(entry);
    }
    env.push_back("LC_ALL=" + setting.locale);
    env.push_back("XDG_STATE_HOME=" +
                  (setting.stateFolder.empty() ? testStateFolder() : setting.stateFolder));
    return env;
}

// Removes the test state folder when the test program ends.
void removeTestStateFolder() {
    const std::string command = "rm -rf '" + testStateFolder() + "'";
    if (std::system(command.c_str()) != 0)
        std::fprintf(stderr, "could not remove %s\n", testStateFolder().c_str());
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

// Made on first use and removed when the program ends; never destroyed before that removal.
std::string testStateFolder() {
    static const std::string* folder = [] {
        char name[] = "/tmp/kibrel-cli-state-XXXXXX";
        const auto* made = new std::string(mkdtemp(name) != nullptr ? name : "");
        std::atexit(removeTestStateFolder);
        return made;
    }();
    return *folder;
}

CliResult runProgram(const std::string& program, const std::vector<std::string>& args,
                     const RunSetting& setting) {
    std::vector<std::string> argv{program};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<std::string> env = childEnvironment(setting);
    std::vector<char*> argvPointers = pointers(argv);
    std::vector<char*> envPointers = pointers(env);

    CliResult result;
    Capture in(setting.input);
    Capture out;
    Capture err;
    if (!in.valid() || !out.valid() || !err.valid())
        return result;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in.fd(), 0);
    int pipeEnds[2] = {-1, -1};
    if (setting.closedOutput && pipe(pipeEnds) == 0)
        close(pipeEnds[0]);
    if (setting.noOutput)
        posix_spawn_file_actions_addclose(&actions, 1);
    else
        posix_spawn_file_actions_adddup2(&actions, setting.closedOutput ? pipeEnds[1] : out.fd(),
                                         1);
    posix_spawn_file_actions_adddup2(&actions, err.fd(), 2);
    if (!setting.workingFolder.empty())
        posix_spawn_file_actions_addchdir_np(&actions, setting.workingFolder.c_str());
    pid_t pid = 0;
    int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argvPointers.data(),
                              envPointers.data());
    posix_spawn_file_actions_destroy(&actions);
    if (pipeEnds[1] >= 0)
        close(pipeEnds[1]);
    if (spawned != 0) {
        result.err = "the test could not start " + program + ": " + std::strerror(spawned);
        return result;
    }
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
