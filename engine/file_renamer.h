#pragma once

#include <string>

// Renames one file or folder on disk. A rename never replaces an existing file; a rename onto
// the file's own current name succeeds without touching it.
// Implemented by MoveFileRenamer (platform/, Windows), NoReplaceRenamer (platform/, natively)
// and FakeRenamer (tests); held by platform_tests, cli_e2e_tests and rename_safety_tests.
class FileRenamer {
  public:
    virtual ~FileRenamer() = default;

    // True when the file at oldPath is now at newPath.
    virtual bool rename(const std::string& oldPath, const std::string& newPath) = 0;
};
