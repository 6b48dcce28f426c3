#pragma once

#include "cli_texts.h"
#include "code_page.h"
#include "foresight.h"
#include "path_split.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#ifndef _WIN32
#include <thread>
#endif
#include <unordered_map>
#include <utility>
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

// The length of a PATH's folder as a row shows it, its separator included: on Windows up to
// its last separator, found by characters of the code page; natively up to its last '/' byte,
// whatever stands before it, since the kernel knows no code page.
std::size_t pathFolderLength(std::string_view path, const CodePage& codePage);

// The folder that keeps kibrel-cli's journal, made when missing: natively
// $XDG_STATE_HOME/kibrel (~/.local/state/kibrel when it is unset or not absolute), on Windows
// %LOCALAPPDATA%\Kibrel. Empty when there is none or it cannot be made.
std::string journalFolder();

// Which file the path names now, as a text that stays the same for the same file however it is
// written to or renamed: natively device and inode, and the time the file was made where the
// file system keeps it (an inode freed and given to a new file shows by it); on Windows the
// volume and the file index (on NTFS the index counts the reuses of its record). On FAT, whose
// numbers for a file do not last, the time the file was made and ":fat" follow, and sameFile()
// compares that time alone. Empty when nothing is there.
std::string fileIdentity(const std::string& path);

// Whether the path names a file, not a folder or a link, that holds nothing.
bool isEmptyFile(const std::string& path);

// Removes the file; false when it cannot be removed.
bool removeFile(const std::string& path);

// The path from the root of its file system (on Windows, of its drive), as the current folder
// gives it; the path itself when the current folder cannot be known.
std::string absolutePath(const std::string& path);

#ifndef _WIN32
// Makes sure that the standard streams, descriptors 0 to 2, are open, so that no file the
// program opens takes one of their numbers: a closed one is opened to /dev/null, standard input
// for writing and the other two for reading, so that a use of them fails as it would have;
// false when one cannot be opened. (Windows' C runtime keeps those numbers for the standard
// streams.)
bool openStandardStreams();

// Memory that the run frees is kept for what it takes later instead of going back to the
// system: a long list makes and frees tables of many megabytes one after another, and every
// page given back would be cleared by the system again when it is taken anew.
void keepFreedMemory();
#endif

// Whether anything, a file, a folder or a link, has the path as its name now.
bool pathExists(const std::string& path);

// The same for the many paths of a run, which lie in few folders, and which file each path
// names: natively each folder is listed once and its names looked up (a folder that cannot be
// listed is asked path by path); on Windows, whose names compare without regard to case, every
// path is asked.
class PathsOnDisk {
  public:
    PathsOnDisk() = default;
    PathsOnDisk(const PathsOnDisk&) = delete;
    PathsOnDisk& operator=(const PathsOnDisk&) = delete;
    ~PathsOnDisk();

    // Natively: lists the folders on a thread of its own while the caller goes on, so that
    // their listings are ready when its first path is asked (each question waits for the
    // listing ahead to end). When no thread can be started the folders are listed as they are
    // asked. On Windows, where no folder is listed, it does nothing.
    void listAhead(std::vector<std::string> folders);
    bool exists(std::string_view path);
    // Natively: asks the memory for where exists() will look the path up.
    void prefetch(std::string_view path);
    // Which file or folder has each path, in their order, none where nothing has it. Natively
    // the listing tells the inode, with the device of the folder, where the folder's file system
    // lists the inodes that its files have; a folder (which may be where another file system is
    // mounted), an entry of unknown kind and a path of no listing are asked of the path itself.
    // The lookups of the next paths are under way while one is answered, so that a long list
    // does not wait on the memory once for every path.
    std::vector<std::optional<FileId>> identities(const std::vector<std::string_view>& paths);

  private:
    // What a listing tells of one of its names: its inode and its kind.
    struct Entry {
        std::uint64_t inode;
        unsigned char kind;
    };
    // The names of one folder and a flat table of them, open addressed; not listed when the
    // folder could not be listed. Each entry lies in one text as its inode, its kind, the length
    // of its name and the name, so that a name found is one place in memory, not three.
    struct Listing {
        bool listed = false;
        // Whether the inodes of the entries are those the files have, on this device, and the
        // folder can be gone through to them.
        bool inodes = false;
        std::uint64_t device = 0;
        std::string entries;
        struct Slot {
            std::uint32_t hash; // the high half of the name's hash
            std::uint32_t at;   // where the entry begins in entries + 1; 0: an empty slot
        };
        std::vector<Slot> slots;
        // The entry of the name, whose hash is given.
        std::optional<Entry> find(std::string_view name, std::size_t hash) const;
        // Asks the memory for the first slot of a name of this hash, or for the entry of the
        // first slot from there on that may be the name's.
        void prefetchSlot(std::size_t hash) const;
        void prefetchEntry(std::size_t hash) const;
    };
    const Listing& listingOf(const std::string& folder);
    // The listing of the path's folder, and the path's name in it.
    std::pair<const Listing*, std::string_view> listingOfPath(std::string_view path);
    // The identity of the path, whose listing, name in it and the name's hash are given.
    std::optional<FileId> identityIn(const Listing& listing, std::string_view name,
                                     std::size_t hash, std::string_view path);

    std::unordered_map<std::string, Listing> listings_;
#ifndef _WIN32
    // Waits for the listing ahead, if one is under way.
    void settle();
    std::thread ahead_;
#endif
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
