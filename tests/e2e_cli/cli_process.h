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

// The kibrel-cli that was built beside the test program.
std::string builtCli();

// Runs the program with the arguments (bytes of the ANSI code page on Windows), in the
// folder workingFolder when it is not empty, and waits for it. Natively it runs under the
// locale C.UTF-8, so that its messages reach standard error as UTF-8.
CliResult runProgram(const std::string& program, const std::vector<std::string>& args,
                     const std::string& workingFolder = {});

inline CliResult runCli(const std::vector<std::string>& args) {
    return runProgram(builtCli(), args);
}

// A text of the program written in UTF-8 as a message of kibrel-cli reaches standard error:
// as UTF-8 natively, in code page 932 under Wine.
std::string onTerminal(std::string_view utf8);
