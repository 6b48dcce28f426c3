#pragma once

#include "file_renamer.h"

#include <string>

// Renames on Windows as the window does, with MoveFileA: it never replaces an existing file,
// and a move onto the file's own name succeeds. The window's renamer gives no reason for a
// failure, as its message has none; kibrel-cli's gives the platform's description.
class MoveFileRenamer : public FileRenamer {
  public:
    explicit MoveFileRenamer(bool explainFailures = false) : explainFailures_(explainFailures) {}

    RenameResult rename(const std::string& oldPath, const std::string& newPath) override;

  private:
    bool explainFailures_;
};
