#include "usage.h"

#include "cli_texts.h"
#include "system_texts.h"
#include "text_conversion.h"

#include <cstdio>

namespace {

#ifdef _WIN32
constexpr const char* separatorsText = "'\\' or '/'";
constexpr const char* defaultCodePageText = "the ANSI code page";
constexpr const char* journalText = "%LOCALAPPDATA%\\Kibrel\\last-run.journal";
constexpr const char* namesText =
    "A new name may not hold \\ / : * ? \" < > | (nor may it on any Windows disk).";
constexpr const char* recordsText =
    "one line per PATH: the PATH, a tab and its new name (empty when it was refused).";
constexpr const char* languageText =
    "Messages are in Japanese under code page 932, in English otherwise.";
#else
constexpr const char* separatorsText = "'/'";
constexpr const char* defaultCodePageText =
    "utf-8 when the locale's character set is UTF-8, else 1252";
constexpr const char* journalText =
    "$XDG_STATE_HOME/kibrel/last-run.journal (~/.local/state/kibrel/ when unset)";
constexpr const char* namesText =
    "A new name may not hold '/'; with --windows-names, not \\ / : * ? \" < > | either.";
constexpr const char* recordsText =
    "one line per PATH: the PATH, a tab and its new name (empty when it was refused).\n"
    "A line whose PATH or new name holds a control character or a backslash begins with a\n"
    "backslash, and those characters are written \\t, \\n, \\r, \\\\ and \\xHH.";
constexpr const char* languageText =
    "Messages follow the locale: Japanese under a Japanese locale, English otherwise.";
#endif

// The usage and the options; %1: the default code page.
constexpr const char* optionsText = R"(Usage: kibrel-cli [OPTION]... PATH...
  or:  kibrel-cli --undo [-n]
Rename files and folders by a Search pattern and a Replace text, as the Kibrel window does:
a test pass computes the new name of every PATH, then a rename pass renames them in the
order given. An existing file or folder is never replaced.

  -s, --search=TEXT      the Search text, in Kibrel's pattern language (required)
  -r, --replace=TEXT     the Replace text (default: empty)
  -n, --dry-run          print the new names and the renames that would fail; rename
                         nothing
      --order            rename chains in the order that lets each succeed, and swap names
                         through a temporary name in the same folder
      --undo             take the last run's renames back, newest first (with -n: show them)
      --from-file=FILE   read more PATHs from FILE, one a line; - reads standard input
  -0, --null             PATHs in FILE are separated by NUL bytes, and each new name is
                         written as PATH NUL NEWNAME NUL
  -q, --quiet            print nothing but errors
  -v, --verbose          print every rename as it is made, on standard error
      --windows-names    refuse new names that Windows cannot hold (a folder shared with
                         Windows): its nine characters, control characters, device names
                         such as CON or nul.txt, a dot or a space at the end
      --start=N          the number \# gives the first PATH the pattern matches
                         (default: 1)
      --code-page=CP     how names and texts are encoded: 932, utf-8 or 1252
                         (default: %1)
  -h, --help             show this help and exit
  -V, --version          show the program's and the regex library's versions and exit

)";

// What is searched and what is written; %1: the separators, %2: the rule for new names, %3:
// the records, %4: the language of the messages.
constexpr const char* outputText =
    R"(Only the name behind the last %1 of a PATH is searched and changed; every match in it
is replaced, from left to right. %2
After the test pass, standard output holds %3
Before the first rename, and with --dry-run, standard error names every rename that would
fail: a PATH that names nothing, one file under two spellings, a folder renamed before a PATH
inside it, a PATH that cannot be renamed (. or ..), two PATHs with one new name, a new name
that exists, a chain in the wrong order, a swap. A real run ends with a line on standard
error that counts the files renamed, failed and left as they were.
%4

)";

// The journal (%1: where it lies), the pattern language and the exit status.
constexpr const char* journalAndLanguageText =
    R"(Every real run keeps a journal of its renames, written before each rename is made, in
%1; a run that renames nothing keeps the journal as it was. --undo, from any folder,
takes that run back and leaves alone, with a message, a file that has moved, changed name or
been replaced since, or whose old name is taken; a second --undo retries only what the first
could not take back, and never redoes the run.

In the Search text, braces mark regions of the match, \d \a \w \h stand for digits,
letters, word characters and hexadecimal digits (\D \A \W \H for the others), \N for a
decimal number, \q for a quoted string, and \{ \} for plain braces. In the Replace text, \0
is the whole match, \1 to \9 are the regions, and \\ \b \f \n \r \t \v stand for single
characters. \# is the number of the PATH among those the pattern matches, in the order
given, from --start; each # behind it adds a digit of zero padding (\### gives 007 for 7).
\U and \L put what follows in upper or lower case up to \E, \u and \l the next character.
For example
  kibrel-cli -s '{\d\d\d\d}_{\d\d\d\d}' -r '\2-\1' photo_2001_0903.jpg
renames photo_2001_0903.jpg to photo_0903-2001.jpg,
  kibrel-cli -s '{.*}\.jpg' -r 'holiday_\###.jpg' IMG_4711.jpg IMG_4712.jpg
renames them to holiday_001.jpg and holiday_002.jpg, and
  kibrel-cli -s '\.JPG' -r '\L\0' IMG_4711.JPG
renames it to IMG_4711.jpg.

Exit status:
  0  every PATH that got a new name was renamed (with --dry-run: none is foreseen to fail)
  1  some PATH could not be renamed, or is foreseen not to be
  2  a usage error, a refused pattern, a missing regex library, new names that could not be
     written, or no journal; nothing was renamed
)";

} // namespace

std::string helpText() {
    return filledIn(translated(optionsText), {translated(defaultCodePageText)}) +
           filledIn(translated(outputText), {separatorsText, translated(namesText),
                                             translated(recordsText), translated(languageText)}) +
           filledIn(translated(journalAndLanguageText), {translated(journalText)});
}

std::string versionText(unsigned libraryVersion) {
    char library[32];
    std::snprintf(library, sizeof library, "%x.%02x", libraryVersion >> 8 & 0xFF,
                  libraryVersion & 0xFF);
    return "kibrel-cli (Kibrel) " + std::string(systemTextUtf8(SystemText::ProgramVersion)) +
           "\nJRE32.DLL " + library + "\n";
}

std::string usageErrorText(const std::string& error, unsigned codePage) {
    return "kibrel-cli: " + error + "\n" +
           fromUtf8(translated("Try 'kibrel-cli --help' for more information."), codePage) + "\n";
}
