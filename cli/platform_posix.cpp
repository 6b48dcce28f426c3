#include "platform.h"

#include "code_page_choice.h"
#include "table_code_page.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <langinfo.h>
#include <sys/stat.h>
#include <unistd.h>

unsigned defaultCodePage() {
    return std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0 ? utf8CodePage : westernCodePage;
}

std::optional<Phrase> codePageRefusal(unsigned) {
    return std::nullopt;
}

void setLibraryCodePage(unsigned codePage) {
    setenv("JRE32_CODEPAGE", std::to_string(codePage).c_str(), 1);
}

PathParts pathParts(std::string_view path, const CodePage&) {
    static const TableCodePage bytes(westernCodePage);
    return splitPath(path, pathSeparators, bytes);
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
    folder += "/kibrel";
    return makeFolders(folder) ? folder + "/" : std::string();
}

std::string fileIdentity(const std::string& path) {
    struct stat s {};
    if (lstat(path.c_str(), &s) != 0)
        return {};
    const std::string place = std::to_string(s.st_dev) + ":" + std::to_string(s.st_ino);
    if (S_ISDIR(s.st_mode))
        return place;
    return place + ":" + std::to_string(s.st_size) + ":" + std::to_string(s.st_mtim.tv_sec) + "." +
           std::to_string(s.st_mtim.tv_nsec);
}

bool pathExists(const std::string& path) {
    struct stat s {};
    return lstat(path.c_str(), &s) == 0;
}

// The names are read into the listing where it stays, and looked up through views of them.
const PathsOnDisk::Listing& PathsOnDisk::listingOf(const std::string& folder) {
    auto [known, fresh] = listings_.try_emplace(folder);
    Listing& listing = known->second;
    if (!fresh)
        return listing;
    if (DIR* dir = opendir(folder.empty() ? "." : folder.c_str())) {
        while (const dirent* entry = readdir(dir))
            listing.names.emplace_back(entry->d_name);
        closedir(dir);
        listing.lookup.emplace(listing.names.begin(), listing.names.end());
    }
    return listing;
}

bool PathsOnDisk::exists(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string_view folder(path.data(), slash == std::string::npos ? 0 : slash + 1);
    if (last_ == nullptr || folder != lastFolder_) {
        lastFolder_.assign(folder);
        last_ = &listingOf(lastFolder_);
    }
    if (!last_->lookup)
        return pathExists(path);
    return last_->lookup->count(std::string_view(path).substr(folder.size())) != 0;
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
