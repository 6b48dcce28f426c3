#pragma once

#include <string>
#include <vector>

// What the command line asks for.
enum class Request {
    run,        // the test pass, then the rename pass unless dryRun
    help,       // --help
    version,    // --version
    usageError, // error says what is wrong
};

struct Options {
    std::string search;
    std::string replace;
    bool dryRun = false;
    // 0 when --code-page was not given.
    unsigned codePage = 0;
    std::vector<std::string> paths;
};

struct CommandLine {
    Request request = Request::run;
    Options options;
    std::string error;
};

// Reads the arguments after the program's own name, as GNU tools do: short options may be
// grouped ("-nsTEXT"), a short option's value is the rest of its argument or the next argument,
// a long option's value follows "=" or is the next argument, a long option may be shortened to
// any prefix that names only it, options and paths may come in any order, and "--" ends the
// options. --help and --version answer at once, as does the first error met; a missing Search
// text or a missing PATH is an error once all arguments are read.
CommandLine parseCommandLine(const std::vector<std::string>& args);
