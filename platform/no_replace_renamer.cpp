#include "no_replace_renamer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
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

int systemClaimFile(const char* path) {
    return open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
}

// The errors of a rename or link call that say the file system lacks the call, not that the
// rename itself cannot be.
bool unsupported(int error) {
    return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP || error == ENOTSUP;
}

bool linkRefused(int error) {
    return unsupported(error) || error == EPERM || error == EMLINK;
}

RenameResult failed(int error) {
    return {false, std::strerror(error)};
}

// Which file a name refers to: its device and inode, as lstat tells them.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    bool folder = false;
};

bool identify(const std::string& path, FileIdentity& identity) {
    struct stat s {};
    if (lstat(path.c_str(), &s) != 0)
        return false;
    identity = {s.st_dev, s.st_ino, s.st_size, S_ISDIR(s.st_mode)};
    return true;
}

// Whether the name still refers to the very file known by identity.
bool stillNames(const std::string& path, const FileIdentity& identity) {
    FileIdentity now;
    return identify(path, now) && now.device == identity.device && now.inode == identity.inode;
}

// Whether the name still refers to the empty claim known by identity.
bool stillEmptyClaim(const std::string& path, const FileIdentity& claim) {
    FileIdentity now;
    return identify(path, now) && now.device == claim.device && now.inode == claim.inode &&
           (now.folder || now.size == 0);
}

constexpr const char* takenMeanwhile =
    "another program changed the file or its new name meanwhile; both were left as they are";
constexpr const char* noIdentities = "this file system cannot tell files apart, so the rename "
                                     "could not be made without risk to another file";

} // namespace

RenameCalls systemRenameCalls() {
    return {systemRenameNoReplace, systemLink, systemClaimFile};
}

RenameResult NoReplaceRenamer::rename(const std::string& oldPath, const std::string& newPath) {
    FileIdentity old;
    if (!identify(oldPath, old))
        return failed(errno);
    if (oldPath == newPath)
        return {true};
    if (calls_.renameNoReplace(oldPath.c_str(), newPath.c_str()) == 0)
        return {true};
    if (!unsupported(errno))
        return failed(errno);
    if (old.inode == 0)
        return {false, noIdentities};
    if (!old.folder) {
        bool linksRefused = false;
        RenameResult linked = renameByLink(oldPath, newPath, linksRefused);
        if (linked.renamed || !linksRefused)
            return linked;
    }
    return renameOntoClaim(oldPath, newPath, old.folder);
}

// The new name is made a second name of the file; the old name goes only while it still names
// that file. When another program has saved a file under the old name meanwhile, the file
// being renamed is at its new name and the other program's file stays at the old one.
RenameResult NoReplaceRenamer::renameByLink(const std::string& oldPath, const std::string& newPath,
                                            bool& linksRefused) {
    FileIdentity file;
    if (!identify(oldPath, file))
        return failed(errno);
    if (calls_.link(oldPath.c_str(), newPath.c_str()) != 0) {
        linksRefused = linkRefused(errno);
        return failed(errno);
    }
    if (!stillNames(newPath, file))
        return {false, takenMeanwhile};
    if (!stillNames(oldPath, file))
        return {true};
    if (unlink(oldPath.c_str()) == 0)
        return {true};
    const int error = errno;
    if (stillNames(newPath, file) && stillNames(oldPath, file))
        unlink(newPath.c_str());
    return failed(error);
}

// The new name is claimed by creating it exclusively; the rename replaces the claim, and so
// happens only while the claim is the empty one made here and the old name still names the
// file being renamed. A claim that another program wrote to is its own now, and stays.
RenameResult NoReplaceRenamer::renameOntoClaim(const std::string& oldPath,
                                               const std::string& newPath, bool folder) {
    FileIdentity file;
    if (!identify(oldPath, file))
        return failed(errno);
    int claim = -1;
    if (folder) {
        if (mkdir(newPath.c_str(), 0700) != 0)
            return failed(errno);
    } else if ((claim = calls_.claimFile(newPath.c_str())) < 0) {
        return failed(errno);
    }
    if (claimed_)
        claimed_(newPath);
    // A file claim is known by its descriptor, whatever its name has become since.
    FileIdentity claimed;
    struct stat s {};
    const bool known = claim >= 0 ? fstat(claim, &s) == 0 : identify(newPath, claimed);
    if (claim >= 0)
        claimed = {s.st_dev, s.st_ino, s.st_size, false};
    RenameResult result{false, takenMeanwhile};
    if (known && stillEmptyClaim(newPath, claimed) && stillNames(oldPath, file)) {
        if (std::rename(oldPath.c_str(), newPath.c_str()) == 0)
            result = {true};
        else
            result = failed(errno);
    }
    if (!result.renamed && known && stillEmptyClaim(newPath, claimed)) {
        if (folder)
            rmdir(newPath.c_str());
        else
            unlink(newPath.c_str());
    }
    if (claim >= 0)
        close(claim);
    return result;
}
