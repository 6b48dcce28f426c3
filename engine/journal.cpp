#include "journal.h"

#include "line_fields.h"

#include <cerrno>
#include <cstring>

namespace {

constexpr const char* heading = "kibrel-cli journal 1";

// The tab-separated fields of a line.
std::vector<std::string> fieldsOf(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t at = 0;
    for (std::size_t tab = line.find('\t'); tab != std::string::npos;
         at = tab + 1, tab = line.find('\t', at))
        fields.push_back(line.substr(at, tab - at));
    fields.push_back(line.substr(at));
    return fields;
}

} // namespace

Journal::~Journal() {
    if (file_ != nullptr)
        std::fclose(file_);
}

bool Journal::writeLine(const std::string& line) {
    return std::fwrite(line.data(), 1, line.size(), file_) == line.size() &&
           std::fputc('\n', file_) != EOF && std::fflush(file_) == 0;
}

bool Journal::begin() {
    if (file_ != nullptr)
        std::fclose(file_);
    file_ = std::fopen(path_.c_str(), "wb");
    return file_ != nullptr && writeLine(heading);
}

bool Journal::before(const std::string& oldPath, const std::string& newPath) {
    if (file_ == nullptr)
        return false;
    return writeLine("rename\t" + escapedField(oldPath) + "\t" + escapedField(newPath));
}

void Journal::after(bool renamed, const std::string& identity) {
    writeLine(renamed ? "done\t" + escapedField(identity) : std::string("failed"));
}

std::optional<std::vector<JournalEntry>> readJournal(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return std::nullopt;
    const std::optional<std::string> read = readStream(file);
    std::fclose(file);
    if (!read)
        return std::nullopt;
    // A line not ended by its line feed was being written when the run ended, and is not read.
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = read->find('\n', at)) != std::string::npos; at = end + 1)
        lines.push_back(read->substr(at, end - at));
    if (lines.empty() || lines[0] != heading)
        return std::nullopt;
    std::vector<JournalEntry> entries;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::vector<std::string> fields = fieldsOf(lines[i]);
        if (fields[0] == "rename" && fields.size() == 3) {
            auto oldPath = unescapedField(fields[1]);
            auto newPath = unescapedField(fields[2]);
            if (!oldPath || !newPath)
                return std::nullopt;
            entries.push_back({*oldPath, *newPath, JournalEntry::Outcome::unknown, {}});
        } else if (fields[0] == "done" && fields.size() == 2 && !entries.empty()) {
            entries.back().outcome = JournalEntry::Outcome::made;
            entries.back().identity = unescapedField(fields[1]).value_or("");
        } else if (fields[0] == "failed" && !entries.empty()) {
            entries.back().outcome = JournalEntry::Outcome::failed;
        } else {
            return std::nullopt;
        }
    }
    return entries;
}

// A row whose name stays as it is is renamed onto itself, as the window's pass does, with
// nothing to take back and nothing to tell.
RenameResult JournaledRenamer::rename(const std::string& oldPath, const std::string& newPath) {
    if (oldPath == newPath)
        return renamer_.rename(oldPath, newPath);
    if (!journal_.before(oldPath, newPath))
        return {false, std::string("the journal cannot be written: ") + std::strerror(errno)};
    const RenameResult result = renamer_.rename(oldPath, newPath);
    journal_.after(result.renamed, result.renamed ? identify_(newPath) : std::string());
    if (result.renamed)
        made_(oldPath, newPath);
    return result;
}
