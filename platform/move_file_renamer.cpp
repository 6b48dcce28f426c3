#include "move_file_renamer.h"

#include <windows.h>

bool MoveFileRenamer::rename(const std::string& oldPath, const std::string& newPath) {
    return MoveFileA(oldPath.c_str(), newPath.c_str()) != 0;
}
