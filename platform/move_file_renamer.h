#pragma once

#include "file_renamer.h"

#include <string>

// Renames on Windows through the wide call: the paths, bytes of the ANSI code page, become the
// exact characters they stand for (a path whose bytes are no whole characters of the code page
// is not renamed), and MoveFileExW without MOVEFILE_REPLACE_EXISTING never replaces an
// existing file; a move onto the file's own name succeeds. A listed file is renamed only while
// its path names it still (fileKey). The window's renamer gives no reason for a failure, as
// its message has none; kibrel-cli's gives the platform's description.
class MoveFileRenamer : public FileRenamer {
  public:
    explicit MoveFileRenamer(bool explainFailures = false) : explainFailures_(explainFailures) {}

    RenameResult rename(const std::string& oldPath, const std::string& newPath) override;
    RenameResult renameListed(const std::string& oldPath, const std::string& newPath,
                              const std::string& listedFile) override;

  private:
    RenameResult failed(unsigned long error) const;

    bool explainFailures_;
};
