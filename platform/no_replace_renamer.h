#pragma once

#include "file_renamer.h"

#include <string>

// The system calls that a rename without replacing is made of, as a table, so that tests can
// take away what a file system lacks. Each returns 0 or -1 with errno set, as the system calls
// do.
struct RenameCalls {
    // renameat2 with RENAME_NOREPLACE.
    int (*renameNoReplace)(const char* oldPath, const char* newPath);
    // A second name for a file (linkat without following a symbolic link).
    int (*link)(const char* oldPath, const char* newPath);
};

// The calls of the system this runs on.
RenameCalls systemRenameCalls();

// Renames natively, never replacing an existing file or folder: the atomic renameat2 with
// RENAME_NOREPLACE, and where the file system lacks that flag (EINVAL, ENOSYS, EOPNOTSUPP):
//  - for a file, a second name made with link(), which fails when the new name exists, then
//    the old name removed (both atomic; when the removal fails, the new name is removed again);
//  - where links are refused too (or for a folder), the new name claimed first by creating an
//    empty file (or folder) of that name exclusively, then rename() onto that claim, which
//    replaces only what this renamer has just created; the claim is removed when the rename
//    fails.
// A rename onto the path's own current name succeeds without touching the file, when the file
// exists.
class NoReplaceRenamer : public FileRenamer {
  public:
    explicit NoReplaceRenamer(RenameCalls calls = systemRenameCalls()) : calls_(calls) {}

    bool rename(const std::string& oldPath, const std::string& newPath) override;

  private:
    bool renameByLink(const std::string& oldPath, const std::string& newPath, bool& linksRefused);
    bool renameOntoClaim(const std::string& oldPath, const std::string& newPath, bool folder);

    RenameCalls calls_;
};
