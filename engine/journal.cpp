#include "journal.h"

#include "line_fields.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <utility>

namespace {

constexpr const char* heading = "kibrel-cli journal 2";
// The journal of an older kibrel-cli, whose identities held the size and the last write too.
constexpr const char* firstHeading = "kibrel-cli journal 1";

// The tab-separated fields of a line.
std::vector<std::string> fieldsOf(const std::string& text, char separator) {
    std::vector<std::string> fields;
    std::size_t at = 0;
    for (std::size_t tab = text.find(separator); tab != std::string::npos;
         at = tab + 1, tab = text.find(separator, at))
        fields.push_back(text.substr(at, tab - at));
    fields.push_back(text.substr(at));
    return fields;
}

// The first two fields of an identity, device and inode, which alone an older journal shares
// with the identities of today.
std::string placeOf(const std::string& identity) {
    const std::size_t first = identity.find(':');
    const std::size_t second = first == std::string::npos ? first : identity.find(':', first + 1);
    return identity.substr(0, second);
}

bool isFolder(const std::string& path) {
    struct stat s {};
    return stat(path.c_str(), &s) == 0 && (s.st_mode & S_IFMT) == S_IFDIR;
}

// A journal's lines read into its entries; false at the first line that is none of them.
bool readLine(const std::vector<std::string>& fields, bool older,
              std::vector<JournalEntry>& entries, JournalEntry*& underWay) {
    if (fields[0] == "rename" && fields.size() == 3) {
        auto oldPath = unescapedField(fields[1]);
        auto newPath = unescapedField(fields[2]);
        if (!oldPath || !newPath)
            return false;
        JournalEntry entry;
        entry.oldPath = std::move(*oldPath);
        entry.newPath = std::move(*newPath);
        entries.push_back(std::move(entry));
        underWay = &entries.back();
        return true;
    }
    if (fields[0] == "undo" && fields.size() == 2) {
        char* end = nullptr;
        const unsigned long n = std::strtoul(fields[1].c_str(), &end, 10);
        if (fields[1].empty() || *end != '\0' || n >= entries.size())
            return false;
        entries[n].takenBack = JournalEntry::Outcome::unknown;
        // Known by its index: no rename is added after an undo.
        underWay = &entries[n];
        return true;
    }
    if (underWay == nullptr)
        return false;
    const bool takingBack = underWay->takenBack == JournalEntry::Outcome::unknown;
    if (fields[0] == "claim" && fields.size() == 2) {
        (takingBack ? underWay->undoClaim : underWay->claim) =
            unescapedField(fields[1]).value_or("");
    } else if (fields[0] == "done" && fields.size() <= 2) {
        if (takingBack) {
            underWay->takenBack = JournalEntry::Outcome::made;
        } else {
            underWay->outcome = JournalEntry::Outcome::made;
            const std::string identity =
                fields.size() == 2 ? unescapedField(fields[1]).value_or("") : "";
            underWay->identity = older ? placeOf(identity) : identity;
        }
        underWay = nullptr;
    } else if (fields[0] == "failed" && fields.size() == 1) {
        (takingBack ? underWay->takenBack : underWay->outcome) = JournalEntry::Outcome::failed;
        underWay = nullptr;
    } else {
        return false;
    }
    return true;
}

} // namespace

Journal::~Journal() {
    if (file_ != nullptr)
        std::fclose(file_);
    if (pending_)
        std::remove(pendingPath_.c_str());
}

bool Journal::writeLine(const std::string& line) {
    return file_ != nullptr && std::fwrite(line.data(), 1, line.size(), file_) == line.size() &&
           std::fputc('\n', file_) != EOF && std::fflush(file_) == 0;
}

// Where a rename replaces no file (Windows), the old journal goes first.
void Journal::settlePending(bool made) {
    if (!made) {
        std::remove(pendingPath_.c_str());
        return;
    }
#ifdef _WIN32
    std::remove(path_.c_str());
#endif
    std::rename(pendingPath_.c_str(), path_.c_str());
}

bool Journal::begin() {
    if (file_ != nullptr)
        std::fclose(file_);
    file_ = std::fopen(pendingPath_.c_str(), "wb");
    pending_ = file_ != nullptr;
    return writeLine(heading);
}

bool Journal::resume() {
    if (file_ != nullptr)
        std::fclose(file_);
    file_ = std::fopen(path_.c_str(), "ab");
    pending_ = false;
    return file_ != nullptr;
}

bool Journal::before(const std::string& oldPath, const std::string& newPath) {
    return writeLine("rename\t" + escapedField(oldPath) + "\t" + escapedField(newPath));
}

void Journal::claimed(const std::string& identity) {
    writeLine("claim\t" + escapedField(identity));
}

bool Journal::beforeUndo(std::size_t entry) {
    return writeLine("undo\t" + std::to_string(entry));
}

// The pending journal, its first rename written as made, takes the journal's name; on Windows,
// where a rename replaces no file, the old journal goes first, and a run ended in between leaves
// the pending one, which shows a rename made.
bool Journal::after(bool renamed, const std::string& identity) {
    const bool written =
        writeLine(renamed ? "done\t" + escapedField(identity) : std::string("failed"));
    if (!renamed || !pending_)
        return written;
    std::fclose(file_);
    file_ = nullptr;
#ifdef _WIN32
    std::remove(path_.c_str());
#endif
    pending_ = false;
    if (std::rename(pendingPath_.c_str(), path_.c_str()) != 0) {
        // The pending journal stays, and the next undo takes it for the last run's.
        file_ = std::fopen(pendingPath_.c_str(), "ab");
        return false;
    }
    file_ = std::fopen(path_.c_str(), "ab");
    return written && file_ != nullptr;
}

JournalRead readJournal(const std::string& path) {
    JournalRead result;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        const int error = errno;
        if (isFolder(path))
            result.state = JournalRead::State::folder;
        else if (error != ENOENT) {
            result.state = JournalRead::State::unreadable;
            result.problem = std::strerror(error);
        }
        return result;
    }
    const std::optional<std::string> read = readStream(file);
    const int error = errno;
    std::fclose(file);
    if (!read) {
        // Natively a folder opens and fails only when it is read.
        result.state = isFolder(path) ? JournalRead::State::folder : JournalRead::State::unreadable;
        result.problem = std::strerror(error);
        return result;
    }
    if (read->empty()) {
        result.state = JournalRead::State::empty;
        return result;
    }
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = read->find('\n', at)) != std::string::npos; at = end + 1)
        lines.push_back(read->substr(at, end - at));
    if (lines.empty() || (lines[0] != heading && lines[0] != firstHeading)) {
        result.state = JournalRead::State::notAJournal;
        return result;
    }
    const bool older = lines[0] == firstHeading;
    JournalEntry* underWay = nullptr;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (!readLine(fieldsOf(lines[i], '\t'), older, result.entries, underWay)) {
            result.state = JournalRead::State::badLine;
            result.line = i + 1;
            result.entries.clear();
            return result;
        }
    }
    result.state = JournalRead::State::read;
    return result;
}

bool sameFile(const std::string& recorded, const std::string& now) {
    const std::vector<std::string> a = fieldsOf(recorded, ':');
    const std::vector<std::string> b = fieldsOf(now, ':');
    if (a.size() < 2 || b.size() < 2)
        return false;
    if (a.size() == 4 && b.size() == 4 && a[3] == "fat" && b[3] == "fat")
        return !a[2].empty() && a[2] == b[2];
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
        if (a[i] != b[i])
            return false;
    return true;
}

// A row whose name stays as it is is renamed onto itself, as the window's pass does, with
// nothing to take back and nothing to tell.
RenameResult JournaledRenamer::rename(const std::string& oldPath, const std::string& newPath) {
    if (oldPath == newPath)
        return renamer_.rename(oldPath, newPath);
    if (!journal_.before(absolute_(oldPath), absolute_(newPath)))
        return {false, std::string("the journal cannot be written: ") + std::strerror(errno)};
    const RenameResult result = renamer_.rename(oldPath, newPath);
    journal_.after(result.renamed, result.renamed ? identify_(newPath) : std::string());
    if (result.renamed)
        made_(oldPath, newPath);
    return result;
}
