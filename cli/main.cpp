#include "cli_run.h"

#include <clocale>
#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    // A line ends in a line feed alone, and names go out as the bytes they are.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#else
    // The locale's character set tells the default code page and the terminal's characters.
    std::setlocale(LC_CTYPE, "");
#endif
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
    return runCli(args, stdout, stderr);
}
