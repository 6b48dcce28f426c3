#pragma once

#include "file_renamer.h"

#include <string>

// Renames on Windows as the window does, with MoveFileA: it never replaces an existing file,
// and a move onto the file's own name succeeds.
class MoveFileRenamer : public FileRenamer {
  public:
    bool rename(const std::string& oldPath, const std::string& newPath) override;
};
