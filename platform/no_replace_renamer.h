#pragma once

#include "file_renamer.h"

#include <functional>
#include <string>
#include <utility>

// The system calls that a rename without replacing is made of, as a table, so that tests can
// take away what a file system lacks, or act as another program would between two calls. Each
// returns what the system call returns, with errno set on failure.
struct RenameCalls {
    // renameat2 with RENAME_NOREPLACE.
    int (*renameNoReplace)(const char* oldPath, const char* newPath);
    // A second name for a file (linkat without following a symbolic link).
    int (*link)(const char* oldPath, const char* newPath);
    // Creates an empty file of that name for writing, only when no file of that name exists
    // (O_CREAT | O_EXCL | O_NOFOLLOW): its descriptor, or -1.
    int (*claimFile)(const char* path);
};

// The calls of the system this runs on.
RenameCalls systemRenameCalls();

// Renames natively, never replacing an existing file or folder, and never losing a file of
// another program: the atomic renameat2 with RENAME_NOREPLACE, and where the file system lacks
// that flag:
//  - for a file, a second name made with link(), which fails when the new name exists, then the
//    old name removed, but only while it still names the file being renamed (device and inode):
//    when another program has put a file of its own there meanwhile, that file stays;
//  - where links are refused too (or for a folder), the new name claimed first by creating an
//    empty file (or folder) of that name exclusively, then rename() onto that claim, but only
//    while the claim is still the one made here, still empty, and the old name still names the
//    file being renamed; a claim is removed only while it is still that empty claim;
//  - on a file system that cannot tell files apart (inode 0), nothing is renamed, since no
//    step could be proved safe.
// A failure says why in the platform's words. A rename onto the path's own current name
// succeeds without touching the file, when the file exists. Tested by platform_tests.
class NoReplaceRenamer : public FileRenamer {
  public:
    explicit NoReplaceRenamer(RenameCalls calls = systemRenameCalls()) : calls_(calls) {}

    RenameResult rename(const std::string& oldPath, const std::string& newPath) override;

    // Tells each new name right after it is claimed, before the rename onto the claim, so that
    // a journal can note the placeholder that a run ended meanwhile leaves behind.
    void tellClaims(std::function<void(const std::string& newPath)> claimed) {
        claimed_ = std::move(claimed);
    }

  private:
    RenameResult renameByLink(const std::string& oldPath, const std::string& newPath,
                              bool& linksRefused);
    RenameResult renameOntoClaim(const std::string& oldPath, const std::string& newPath,
                                 bool folder);

    RenameCalls calls_;
    std::function<void(const std::string&)> claimed_;
};
