#include "cli_run.h"
#include "cli_texts.h"
#include "platform.h"

#include <cstdio>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#ifdef _WIN32
#include "text_conversion.h"
#include "wide_paths.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

// The arguments come in their wide form, split by the C runtime as the narrow ones would be,
// so that none reaches kibrel-cli as a look-alike: each is taken in the ANSI code page when it
// holds it exactly, and otherwise in the form that shows what it lacks as "?", noted as not
// held.
int wmain(int argc, wchar_t** argv) {
    // A line ends in a line feed alone, and names go out as the bytes they are.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);
    loadCatalog();
    const unsigned codePage = GetACP();
    std::vector<std::string> args;
    std::set<std::string> notHeld;
    for (int i = 1; i < argc; ++i) {
        if (std::optional<std::string> exact = codePageFromWide(argv[i], codePage)) {
            args.push_back(std::move(*exact));
        } else {
            args.push_back(fromUtf8(utf8FromWide(argv[i]), codePage));
            notHeld.insert(args.back());
        }
    }
    return runCli(std::vector<std::string_view>(args.begin(), args.end()), notHeld, stdin, stdout,
                  stderr);
}
#else
int main(int argc, char** argv) {
    // Before any file is opened, so that none takes the number of a closed standard stream.
    if (!openStandardStreams())
        return exitRefused;
    keepFreedMemory();
    // Natively the locale tells the default code page, the terminal's characters and the
    // language of the messages; an argument is the bytes it is.
    loadCatalog();
    // The arguments stay where the system put them, however many PATHs they are.
    const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0),
                                             argv + (argc > 0 ? argc : 0));
    return runCli(args, {}, stdin, stdout, stderr);
}
#endif
