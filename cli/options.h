#pragma once

#include "cli_texts.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What the command line asks for.
enum class Request {
    run,        // the test pass, then the rename pass unless dryRun
    undo,       // --undo: the last run's renames taken back
    help,       // --help
    version,    // --version
    usageError, // error says what is wrong
};

// How much kibrel-cli says on its standard output.
enum class Verbosity {
    quiet,   // -q: nothing but errors
    normal,  // the new name of every PATH
    verbose, // -v: the new names, then every rename as it is made
};

struct Options {
    std::string search;
    std::string replace;
    bool dryRun = false;
    // 0 when --code-page was not given.
    unsigned codePage = 0;
    // Views of the arguments, which the caller keeps for as long as it uses them.
    std::vector<std::string_view> paths;
    // --order: chains renamed in the order that makes them succeed, swaps through a temporary
    // name.
    bool order = false;
    // --from-file: where more PATHs are read, "-" for standard input; empty when not given.
    std::string fromFile;
    // -0: PATHs read and records written separated by NUL bytes.
    bool nullSeparated = false;
    Verbosity verbosity = Verbosity::normal;
    // --windows-names: new names refused for the nine characters Windows refuses, natively too.
    bool windowsNames = false;
    // --start: the number "\\#" gives the first PATH whose name the pattern matches.
    std::uint64_t start = 1;
};

struct CommandLine {
    Request request = Request::run;
    Options options;
    Phrase error;
};

// Reads the arguments after the program's own name, as GNU tools do: short options may be
// grouped ("-nsTEXT"), a short option's value is the rest of its argument or the next argument,
// a long option's value follows "=" or is the next argument, a long option may be shortened to
// any prefix that names only it, options and paths may come in any order, and "--" ends the
// options. --help and --version answer at once, as does the first error met; a missing Search
// text or a missing PATH (none given and no --from-file) is an error once all arguments are
// read, and so is --undo with a Search text or a PATH.
CommandLine parseCommandLine(const std::vector<std::string_view>& args);
