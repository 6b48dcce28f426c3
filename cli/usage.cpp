#include "usage.h"

#include "system_texts.h"

#include <cstdio>

namespace {

#ifdef _WIN32
constexpr const char* separatorsText = "'\\' or '/'";
constexpr const char* defaultCodePageText = "the ANSI code page";
#else
constexpr const char* separatorsText = "'/'";
constexpr const char* defaultCodePageText =
    "utf-8 when the locale's character set is UTF-8, else 1252";
#endif

} // namespace

std::string helpText() {
    std::string text = R"(Usage: kibrel-cli [OPTION]... PATH...
Rename files and folders by a Search pattern and a Replace text, as the Kibrel window does:
a test pass computes the new name of every PATH, then a rename pass renames them in the
order given. An existing file or folder is never replaced.

  -s, --search=TEXT      the Search text, in Kibrel's pattern language (required)
  -r, --replace=TEXT     the Replace text (default: empty)
  -n, --dry-run          run the test pass only: print the new names, rename nothing
      --code-page=CP     how names and texts are encoded: 932, utf-8 or 1252
                         (default: )";
    text += defaultCodePageText;
    text += R"()
  -h, --help             show this help and exit
  -V, --version          show the program's and the regex library's versions and exit

Only the name behind the last )";
    text += separatorsText;
    text += R"( of a PATH is searched and changed; every match in it
is replaced, from left to right. After the test pass, standard output holds one line per
PATH: the PATH, a tab and its new name (empty when the name was refused). Messages go to
standard error.

In the Search text, braces mark regions of the match, \d \a \w \h stand for digits,
letters, word characters and hexadecimal digits (\D \A \W \H for the others), \N for a
decimal number, \q for a quoted string, and \{ \} for plain braces. In the Replace text, \0
is the whole match and \1 to \9 are the regions. For example
  kibrel-cli -s '{\d\d\d\d}_{\d\d\d\d}' -r '\2-\1' photo_2001_0903.jpg
renames photo_2001_0903.jpg to photo_0903-2001.jpg. The pattern language is described in
full in Kibrel's help file, kibrel.chm (the topics on the Search text, the Replace text and
regular expressions), whose sources are in the folder help/ of Kibrel's source tree.

Exit status:
  0  every PATH that got a new name was renamed (with --dry-run: no new name was refused)
  1  some PATH could not be renamed, or its new name was refused
  2  a usage error, a refused pattern, or the regex library is missing
)";
    return text;
}

std::string versionText(unsigned libraryVersion) {
    char library[32];
    std::snprintf(library, sizeof library, "%x.%02x", libraryVersion >> 8 & 0xFF,
                  libraryVersion & 0xFF);
    return "kibrel-cli (Kibrel) " + std::string(systemTextUtf8(SystemText::ProgramVersion)) +
           "\nJRE32.DLL " + library + "\n";
}

std::string usageErrorText(const std::string& error) {
    return "kibrel-cli: " + error + "\nTry 'kibrel-cli --help' for more information.\n";
}
