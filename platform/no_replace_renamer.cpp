#include "no_replace_renamer.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int systemRenameNoReplace(const char* oldPath, const char* newPath) {
    return renameat2(AT_FDCWD, oldPath, AT_FDCWD, newPath, RENAME_NOREPLACE);
}

int systemLink(const char* oldPath, const char* newPath) {
    return linkat(AT_FDCWD, oldPath, AT_FDCWD, newPath, 0);
}

// The errors of a rename or link call that say the file system lacks the call, not that the
// rename itself cannot be.
bool unsupported(int error) {
    return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP || error == ENOTSUP;
}

bool linkRefused(int error) {
    return unsupported(error) || error == EPERM || error == EMLINK;
}

} // namespace

RenameCalls systemRenameCalls() {
    return {systemRenameNoReplace, systemLink};
}

bool NoReplaceRenamer::rename(const std::string& oldPath, const std::string& newPath) {
    struct stat old {};
    if (lstat(oldPath.c_str(), &old) != 0)
        return false;
    if (oldPath == newPath)
        return true;
    if (calls_.renameNoReplace(oldPath.c_str(), newPath.c_str()) == 0)
        return true;
    if (!unsupported(errno))
        return false;
    const bool folder = S_ISDIR(old.st_mode);
    if (!folder) {
        bool linksRefused = false;
        if (renameByLink(oldPath, newPath, linksRefused))
            return true;
        if (!linksRefused)
            return false;
    }
    return renameOntoClaim(oldPath, newPath, folder);
}

bool NoReplaceRenamer::renameByLink(const std::string& oldPath, const std::string& newPath,
                                    bool& linksRefused) {
    if (calls_.link(oldPath.c_str(), newPath.c_str()) != 0) {
        linksRefused = linkRefused(errno);
        return false;
    }
    if (unlink(oldPath.c_str()) == 0)
        return true;
    unlink(newPath.c_str());
    return false;
}

bool NoReplaceRenamer::renameOntoClaim(const std::string& oldPath, const std::string& newPath,
                                       bool folder) {
    if (folder) {
        if (mkdir(newPath.c_str(), 0700) != 0)
            return false;
    } else {
        int fd = open(newPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0600);
        if (fd < 0)
            return false;
        close(fd);
    }
    if (std::rename(oldPath.c_str(), newPath.c_str()) == 0)
        return true;
    if (folder)
        rmdir(newPath.c_str());
    else
        unlink(newPath.c_str());
    return false;
}
