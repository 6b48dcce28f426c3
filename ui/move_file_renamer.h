#pragma once

#include "file_renamer.h"

// Renames with MoveFileA, which refuses to replace an existing file and lets a file be moved
// onto its own name.
class MoveFileRenamer : public FileRenamer {
  public:
    bool rename(const std::string& oldPath, const std::string& newPath) override;
};
