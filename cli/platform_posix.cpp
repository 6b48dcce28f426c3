#include "platform.h"

#include "code_page_choice.h"
#include "text_hash.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <langinfo.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>
#include <system_error>
#include <unistd.h>
#include <unordered_map>

unsigned defaultCodePage() {
    return std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0 ? utf8CodePage : westernCodePage;
}

std::optional<Phrase> codePageRefusal(unsigned) {
    return std::nullopt;
}

void setLibraryCodePage(unsigned codePage) {
    setenv("JRE32_CODEPAGE", std::to_string(codePage).c_str(), 1);
}

namespace {

// The length of the path's folder, up to its last '/'. Natively a path is bytes, and '/' is
// never the second byte of a double-byte character of any code page, so it is sought as a byte.
std::size_t folderLengthOfBytes(std::string_view path) {
    const void* slash = path.empty() ? nullptr : memrchr(path.data(), '/', path.size());
    return slash == nullptr
               ? 0
               : static_cast<std::size_t>(static_cast<const char*>(slash) - path.data()) + 1;
}

} // namespace

std::size_t pathFolderLength(std::string_view path, const CodePage&) {
    return folderLengthOfBytes(path);
}

namespace {

bool isFolder(const std::string& path) {
    struct stat s {};
    return stat(path.c_str(), &s) == 0 && S_ISDIR(s.st_mode);
}

// Makes the folder and the folders above it that are missing, readable by the user alone.
bool makeFolders(const std::string& path) {
    for (std::size_t at = path.find('/', 1); at != std::string::npos; at = path.find('/', at + 1))
        if (!isFolder(path.substr(0, at)) && mkdir(path.substr(0, at).c_str(), 0700) != 0 &&
            errno != EEXIST)
            return false;
    return isFolder(path) || mkdir(path.c_str(), 0700) == 0 || isFolder(path);
}

} // namespace

std::string journalFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    std::string folder;
    if (state != nullptr && state[0] == '/') {
        folder = state;
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || home[0] != '/')
            return {};
        folder = std::string(home) + "/.local/state";
    }
    while (!folder.empty() && folder.back() == '/')
        folder.pop_back();
    folder += "/kibrel";
    return makeFolders(folder) ? folder + "/" : std::string();
}

namespace {

// Whether the file system of the device is FAT or exFAT, which number their files anew at every
// mount; asked of the file system once for each device of the run, since a run looks at many
// files of few devices.
bool onFat(dev_t device, const std::string& path) {
    static std::unordered_map<dev_t, bool> known;
    if (const auto found = known.find(device); found != known.end())
        return found->second;
    constexpr long fat = 0x4d44;
    constexpr long exFat = 0x2011BAB0;
    struct statfs fs {};
    if (statfs(path.c_str(), &fs) != 0)
        return false;
    return known.emplace(device, fs.f_type == fat || fs.f_type == exFat).first->second;
}

} // namespace

std::string fileIdentity(const std::string& path) {
    struct statx s {};
    if (statx(AT_FDCWD, path.c_str(), AT_SYMLINK_NOFOLLOW, STATX_INO | STATX_BTIME, &s) != 0)
        return {};
    const dev_t device = makedev(s.stx_dev_major, s.stx_dev_minor);
    std::string identity = std::to_string(device) + ":" + std::to_string(s.stx_ino);
    if ((s.stx_mask & STATX_BTIME) == 0)
        return identity;
    identity +=
        ":" + std::to_string(s.stx_btime.tv_sec) + "." + std::to_string(s.stx_btime.tv_nsec);
    // FAT numbers its files anew at every mount: the time a file was made is what lasts.
    if (onFat(device, path))
        identity += ":fat";
    return identity;
}

bool isEmptyFile(const std::string& path) {
    struct stat s {};
    return lstat(path.c_str(), &s) == 0 && S_ISREG(s.st_mode) && s.st_size == 0;
}

bool removeFile(const std::string& path) {
    return unlink(path.c_str()) == 0;
}

std::string absolutePath(const std::string& path) {
    if (!path.empty() && path[0] == '/')
        return path;
    std::string folder(4096, '\0');
    while (getcwd(folder.data(), folder.size()) == nullptr) {
        if (errno != ERANGE)
            return path;
        folder.resize(2 * folder.size());
    }
    folder.resize(std::strlen(folder.c_str()));
    return folder + (folder.back() == '/' ? "" : "/") + path;
}

bool openStandardStreams() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        // The lowest free number is the one just found closed.
        const int opened = open("/dev/null", fd == 0 ? O_WRONLY : O_RDONLY);
        if (opened != fd) {
            if (opened >= 0)
                close(opened);
            return false;
        }
    }
    return true;
}

void keepFreedMemory() {
#ifdef __GLIBC__
    // No block is mapped on its own, to be unmapped when freed, and the heap is never trimmed.
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, INT_MAX);
#endif
}

bool pathExists(const std::string& path) {
    struct stat s {};
    return lstat(path.c_str(), &s) == 0;
}

namespace {

// Whether the listings of the folder's file system tell the inodes that stat tells of its
// files: ext2 to ext4, XFS, Btrfs and tmpfs do; others (FUSE, overlays, network file systems)
// may number their entries otherwise.
bool listsInodes(const std::string& folder) {
    constexpr long ext = 0xEF53;
    constexpr long xfs = 0x58465342;
    constexpr long btrfs = 0x9123683E;
    constexpr long tmpfs = 0x01021994;
    struct statfs fs {};
    if (statfs(folder.c_str(), &fs) != 0)
        return false;
    const long type = static_cast<long>(fs.f_type);
    return type == ext || type == xfs || type == btrfs || type == tmpfs;
}

} // namespace

namespace {

// An entry's inode, kind and name length before its name.
constexpr std::size_t entryHead = sizeof(std::uint64_t) + 1 + sizeof(std::uint16_t);

} // namespace

std::optional<PathsOnDisk::Entry> PathsOnDisk::Listing::find(std::string_view name,
                                                             std::size_t hash) const {
    const auto high = static_cast<std::uint32_t>(hash >> 32);
    const std::size_t mask = slots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot slot = slots[i];
        if (slot.at == 0)
            return std::nullopt;
        if (slot.hash != high)
            continue;
        const char* entry = entries.data() + slot.at - 1;
        std::uint16_t length = 0;
        std::memcpy(&length, entry + entryHead - sizeof length, sizeof length);
        if (length == name.size() && std::memcmp(entry + entryHead, name.data(), length) == 0) {
            Entry found{};
            std::memcpy(&found.inode, entry, sizeof found.inode);
            found.kind = static_cast<unsigned char>(entry[sizeof found.inode]);
            return found;
        }
    }
}

void PathsOnDisk::Listing::prefetchSlot(std::size_t hash) const {
    __builtin_prefetch(&slots[hash & (slots.size() - 1)]);
}

// The slots from the first one on are gone through as find() goes through them, up to the first
// that may be the name's: most lie in the cache line of the first, which was asked for before.
void PathsOnDisk::Listing::prefetchEntry(std::size_t hash) const {
    const auto high = static_cast<std::uint32_t>(hash >> 32);
    const std::size_t mask = slots.size() - 1;
    for (std::size_t i = hash & mask; slots[i].at != 0; i = (i + 1) & mask)
        if (slots[i].hash == high) {
            __builtin_prefetch(entries.data() + slots[i].at - 1);
            return;
        }
}

// The names are read into one text of the listing, where they stay, and looked up through the
// table of their entries. The folder's size on disk is about what its names take there: room
// for a little more spares the copies of a growing text, and room not used is never touched.
// The slots are filled a few names behind their hashes, so that their cache misses overlap.
const PathsOnDisk::Listing& PathsOnDisk::listingOf(const std::string& folder) {
    auto [known, fresh] = listings_.try_emplace(folder);
    Listing& listing = known->second;
    if (!fresh)
        return listing;
    const std::string opened = folder.empty() ? "." : folder;
    DIR* dir = opendir(opened.c_str());
    if (dir == nullptr)
        return listing;
    struct stat onDisk {};
    if (fstat(dirfd(dir), &onDisk) == 0 && onDisk.st_size > 0 && onDisk.st_size < (1L << 30)) {
        const auto size = static_cast<std::size_t>(onDisk.st_size);
        listing.entries.reserve(size + size / 4);
    }
    // The hash of each entry's name, in the order of the entries: fewer than one for each eight
    // bytes of the folder's size.
    std::vector<std::size_t> hashes;
    hashes.reserve(listing.entries.capacity() / 8);
    bool whole = true;
    while (const dirent* entry = readdir(dir)) {
        const std::size_t length = std::strlen(entry->d_name);
        if (listing.entries.size() + entryHead + length >= UINT32_MAX || length > UINT16_MAX) {
            whole = false;
            break;
        }
        hashes.push_back(hashOfText(std::string_view(entry->d_name, length)));
        char head[entryHead];
        const auto inode = static_cast<std::uint64_t>(entry->d_ino);
        const auto nameLength = static_cast<std::uint16_t>(length);
        std::memcpy(head, &inode, sizeof inode);
        head[sizeof inode] = static_cast<char>(entry->d_type);
        std::memcpy(head + sizeof inode + 1, &nameLength, sizeof nameLength);
        listing.entries.append(head, entryHead);
        listing.entries.append(entry->d_name, length);
    }
    closedir(dir);
    if (!whole) {
        listing = Listing();
        return listing;
    }
    std::size_t slots = 16;
    while (slots < 2 * hashes.size())
        slots *= 2;
    listing.slots.assign(slots, Listing::Slot{0, 0});
    constexpr std::size_t ahead = 16;
    std::size_t start = 0;
    for (std::size_t k = 0; k < hashes.size(); ++k) {
        if (k + ahead < hashes.size())
            listing.prefetchSlot(hashes[k + ahead]);
        std::size_t i = hashes[k] & (slots - 1);
        while (listing.slots[i].at != 0)
            i = (i + 1) & (slots - 1);
        listing.slots[i] = {static_cast<std::uint32_t>(hashes[k] >> 32),
                            static_cast<std::uint32_t>(start + 1)};
        std::uint16_t length = 0;
        std::memcpy(&length, listing.entries.data() + start + entryHead - sizeof length,
                    sizeof length);
        start += entryHead + length;
    }
    listing.listed = true;
    struct stat s {};
    if (stat(opened.c_str(), &s) == 0 && access(opened.c_str(), X_OK) == 0 && listsInodes(opened)) {
        listing.inodes = true;
        listing.device = static_cast<std::uint64_t>(s.st_dev);
    }
    return listing;
}

std::pair<const PathsOnDisk::Listing*, std::string_view>
PathsOnDisk::listingOfPath(std::string_view path) {
    const std::string_view folder(path.data(), folderLengthOfBytes(path));
    if (last_ == nullptr || folder != lastFolder_) {
        lastFolder_.assign(folder);
        last_ = &listingOf(lastFolder_);
    }
    return {last_, path.substr(folder.size())};
}

PathsOnDisk::~PathsOnDisk() {
    settle();
}

void PathsOnDisk::listAhead(std::vector<std::string> folders) {
    settle();
    try {
        ahead_ = std::thread([this, folders = std::move(folders)] {
            for (const std::string& folder : folders)
                listingOf(folder);
        });
    } catch (const std::system_error&) {
        // The folders are listed as their paths are asked.
    }
}

void PathsOnDisk::settle() {
    if (ahead_.joinable())
        ahead_.join();
}

bool PathsOnDisk::exists(std::string_view path) {
    settle();
    const auto [listing, name] = listingOfPath(path);
    if (!listing->listed)
        return pathExists(std::string(path));
    return listing->find(name, hashOfText(name)).has_value();
}

void PathsOnDisk::prefetch(std::string_view path) {
    settle();
    const auto [listing, name] = listingOfPath(path);
    if (listing->listed)
        listing->prefetchSlot(hashOfText(name));
}

std::optional<FileId> PathsOnDisk::identityIn(const Listing& listing, std::string_view name,
                                              std::size_t hash, std::string_view path) {
    if (listing.listed && !name.empty()) {
        const std::optional<Entry> entry = listing.find(name, hash);
        if (!entry)
            return std::nullopt;
        if (listing.inodes && entry->kind != DT_DIR && entry->kind != DT_UNKNOWN)
            return FileId{listing.device, entry->inode};
    }
    struct stat s {};
    if (lstat(std::string(path).c_str(), &s) != 0)
        return std::nullopt;
    return FileId{static_cast<std::uint64_t>(s.st_dev), static_cast<std::uint64_t>(s.st_ino)};
}

// The paths are taken a lot at a time: first what each is looked up by, then the lookups, each
// path's slot asked for two strides ahead of its lookup and its entry one stride ahead, so that
// by the time a path is looked up both are on their way or there. (Worked out in the loop of
// the lookups instead, as they once were, a million paths took twice as long.)
std::vector<std::optional<FileId>>
PathsOnDisk::identities(const std::vector<std::string_view>& paths) {
    settle();
    constexpr std::size_t stride = 16;
    constexpr std::size_t lot = 1024;
    struct Asked {
        const Listing* listing;
        std::string_view name;
        bool looked; // the name is looked up in the listing
        std::size_t hash;
    };
    std::vector<Asked> asked(std::min(paths.size(), lot));
    std::vector<std::optional<FileId>> found;
    found.reserve(paths.size());
    for (std::size_t first = 0; first < paths.size(); first += lot) {
        const std::size_t count = std::min(lot, paths.size() - first);
        for (std::size_t k = 0; k < count; ++k) {
            const auto [listing, name] = listingOfPath(paths[first + k]);
            const bool looked = listing->listed && !name.empty();
            asked[k] = {listing, name, looked, looked ? hashOfText(name) : 0};
            if (looked && k < 2 * stride)
                listing->prefetchSlot(asked[k].hash);
        }
        for (std::size_t k = 0; k < count; ++k) {
            if (k + 2 * stride < count && asked[k + 2 * stride].looked)
                asked[k + 2 * stride].listing->prefetchSlot(asked[k + 2 * stride].hash);
            if (k + stride < count && asked[k + stride].looked)
                asked[k + stride].listing->prefetchEntry(asked[k + stride].hash);
            const Asked& a = asked[k];
            found.push_back(identityIn(*a.listing, a.name, a.hash, paths[first + k]));
        }
    }
    return found;
}

std::size_t longestName(const std::string& folder) {
    const long limit = pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
    return limit > 0 ? static_cast<std::size_t>(limit) : 255;
}

unsigned long processNumber() {
    return static_cast<unsigned long>(getpid());
}

void ignoreBrokenPipe() {
    std::signal(SIGPIPE, SIG_IGN);
}
