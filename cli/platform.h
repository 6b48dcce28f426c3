#pragma once

#include "cli_texts.h"
#include "code_page.h"
#include "path_split.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// What the front end asks of the platform it runs on, besides renaming and converting texts.

// The code page when --code-page is not given: on Windows the ANSI code page; natively UTF-8
// when the locale's character set is UTF-8, else 1252.
unsigned defaultCodePage();

// Why the code page cannot be used here, or nothing when it can. On Windows the names reach the
// program and MoveFileA in the ANSI code page, so no other code page can be used there.
std::optional<Phrase> codePageRefusal(unsigned codePage);

// Tells the regex library which code page its patterns and texts are in; must come before the
// library is loaded.
void setLibraryCodePage(unsigned codePage);

// What separates the folders of a path: on Windows a backslash or a slash, natively '/'.
#ifdef _WIN32
constexpr std::string_view pathSeparators = "\\/";
#else
constexpr std::string_view pathSeparators = "/";
#endif

// A PATH as a row shows it: on Windows split at its last separator, found by characters of the
// code page; natively at its last '/' byte, whatever stands before it, since the kernel knows
// no code page.
PathParts pathParts(std::string_view path, const CodePage& codePage);

// The folder that keeps kibrel-cli's journal, made when missing: natively
// $XDG_STATE_HOME/kibrel (~/.local/state/kibrel when it is unset or not absolute), on Windows
// %LOCALAPPDATA%\Kibrel. Empty when there is none or it cannot be made.
std::string journalFolder();

// Which file the path names now, as a text that only the same file, unchanged, gives: natively
// device, inode, size and time of the last write (an inode freed and given to a new file shows
// by the latter two), on Windows the volume, the file index, the size and the last write; empty
// when nothing is there. A folder is told by its device and inode (volume and index) alone: what
// is saved into it or taken out of it since does not make it another folder.
std::string fileIdentity(const std::string& path);

// Whether anything, a file, a folder or a link, has the path as its name now.
bool pathExists(const std::string& path);

// The same for the many new paths of a run, which lie in few folders: natively each folder is
// listed once and its names looked up (a folder that cannot be listed is asked path by path);
// on Windows, whose names compare without regard to case, every path is asked.
class PathsOnDisk {
  public:
    bool exists(const std::string& path);

  private:
    // The names of one folder, or none when it could not be listed.
    struct Listing {
        std::vector<std::string> names;
        std::optional<std::unordered_set<std::string_view>> lookup;
    };
    const Listing& listingOf(const std::string& folder);

    std::unordered_map<std::string, Listing> listings_;
    // The folder asked last, which most paths share.
    std::string lastFolder_;
    const Listing* last_ = nullptr;
};

// The most bytes a name in the folder may have ("" is the current folder).
std::size_t longestName(const std::string& folder);

// This process's number, for temporary names of its own.
unsigned long processNumber();

// A write to a closed pipe fails with an error instead of ending the process, so that kibrel-cli
// can say so and rename nothing.
void ignoreBrokenPipe();
