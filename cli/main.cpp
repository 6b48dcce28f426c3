#include "cli_run.h"
#include "cli_texts.h"
#include "platform.h"

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv) {
    // Before any file is opened, so that none takes the number of a closed standard stream.
    if (!openStandardStreams())
        return exitRefused;
#ifdef _WIN32
    // A line ends in a line feed alone, and names go out as the bytes they are.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    // Natively the locale tells the default code page, the terminal's characters and the
    // language of the messages.
    loadCatalog();
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
    return runCli(std::move(args), stdin, stdout, stderr);
}
