#pragma once

#include <string>
#include <string_view>
#include <vector>

// What one run of kibrel-cli gave.
struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// How a run is set up besides its arguments.
struct RunSetting {
    // The child's current folder; empty: this process's.
    std::string workingFolder;
    // What the child reads on standard input.
    std::string input;
    // Natively the child's locale (LC_ALL), which tells its language and its terminal's
    // characters: by default the Japanese one, in which it says the window's texts in UTF-8.
    std::string locale = "ja_JP.UTF-8";
    // Where the child keeps its journal: natively XDG_STATE_HOME, on Windows LOCALAPPDATA;
    // empty: a folder of this test process's own.
    std::string stateFolder;
    // Natively: standard output is a pipe that nobody reads any more.
    bool closedOutput = false;
    // Natively: the child starts with its standard output closed (">&-").
    bool noOutput = false;
    // On Windows: the arguments are UTF-8, for names that the ANSI code page cannot hold.
    bool utf8Arguments = false;
};

// The kibrel-cli that was built beside the test program.
std::string builtCli();

// The folder where runs without a state folder of their own keep their journal.
std::string testStateFolder();

// Runs the program with the arguments (bytes of the ANSI code page on Windows, unless
// utf8Arguments) and waits for it.
CliResult runProgram(const std::string& program, const std::vector<std::string>& args,
                     const RunSetting& setting = {});

inline CliResult runCli(const std::vector<std::string>& args, const RunSetting& setting = {}) {
    return runProgram(builtCli(), args, setting);
}

// A text of the program written in UTF-8 as a message of kibrel-cli reaches standard error:
// as UTF-8 natively, in code page 932 under Wine.
std::string onTerminal(std::string_view utf8);
