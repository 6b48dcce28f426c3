#include "foresight.h"
#include "text_hash.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace {

// How many rows ahead the slots of the table are asked for, so that the cache misses of a long
// list overlap instead of coming one after the other.
constexpr std::size_t rowsAhead = 16;

// The hash of every row's path that pathOf gives, 0 for an empty one.
template <typename PathOf>
std::vector<std::size_t> hashesOf(const std::vector<PlannedRename>& rows, PathOf pathOf) {
    std::vector<std::size_t> hashes;
    hashes.reserve(rows.size());
    for (const PlannedRename& row : rows)
        hashes.push_back(pathOf(row).empty() ? 0 : hashOfText(pathOf(row)));
    return hashes;
}

// Where every row's file is as the pass goes on: the row whose file is at a path, or emptied
// for a path that the pass has emptied; the disk itself for the others. The paths are held in a
// flat table of their own, open addressed, which a pass over many rows asks twice for each row.
class Disk {
  public:
    static constexpr int emptied = -2;
    static constexpr int noRow = -1;

    // At most two paths for each row, the old and the new.
    Disk(const std::vector<PlannedRename>& rows, const PathExists& exists)
        : rows_(rows), exists_(exists) {
        std::size_t slots = 16;
        while (slots < 4 * rows.size())
            slots *= 2;
        slots_.assign(slots, Slot{0, -1});
        places_.reserve(2 * rows.size());
        rowPlaces_.reserve(rows.size());
        const std::vector<std::size_t> hashes =
            hashesOf(rows, [](const PlannedRename& row) { return row.oldPath; });
        for (std::size_t row = 0; row < rows.size(); ++row) {
            if (row + rowsAhead < rows.size())
                prefetch(hashes[row + rowsAhead]);
            const auto [place, added] = placeOf(oldPathOf(row), hashes[row]);
            if (added)
                places_[static_cast<std::size_t>(place)].what = static_cast<int>(row);
            rowPlaces_.push_back(place);
        }
    }

    // Asks the memory for the slot where a path of this hash is looked for first.
    void prefetch(std::size_t hash) const {
        __builtin_prefetch(&slots_[hash & (slots_.size() - 1)]);
    }

    // The place of the row's new path, whose hash is given, which move() can take.
    int newPlace(std::size_t row, std::size_t hash) {
        const std::string_view path = rows_[row].newPath;
        const auto [place, added] = placeOf(newPathOf(row), hash);
        if (added && !exists_(path))
            places_[static_cast<std::size_t>(place)].what = emptied;
        return place;
    }

    // What is at a place: the row whose file is there, noRow for a file of no row, emptied for
    // nothing.
    int at(int place) const { return places_[static_cast<std::size_t>(place)].what; }

    // The row's file moves from its own path to the emptied place `to`.
    void move(int row, int to) {
        places_[static_cast<std::size_t>(rowPlaces_[static_cast<std::size_t>(row)])].what = emptied;
        places_[static_cast<std::size_t>(to)].what = row;
    }

  private:
    // A place is told by the path of a row that it was made for: its old path (2 row) or its
    // new one (2 row + 1). Eight bytes, so that the places of a long list take little room.
    struct Place {
        std::uint32_t path;
        int what;
    };
    static std::uint32_t oldPathOf(std::size_t row) { return static_cast<std::uint32_t>(2 * row); }
    static std::uint32_t newPathOf(std::size_t row) {
        return static_cast<std::uint32_t>(2 * row + 1);
    }
    std::string_view pathOf(std::uint32_t path) const {
        const PlannedRename& row = rows_[path / 2];
        return path % 2 == 0 ? row.oldPath : row.newPath;
    }
    struct Slot {
        std::uint32_t hash; // the high half of the path's hash
        int place;          // -1: an empty slot
    };

    // The place of the path, and whether it was added now (holding noRow).
    std::pair<int, bool> placeOf(std::uint32_t path, std::size_t hash) {
        const std::string_view text = pathOf(path);
        const auto high = static_cast<std::uint32_t>(hash >> 32);
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            Slot& slot = slots_[i];
            if (slot.place < 0) {
                slot = {high, static_cast<int>(places_.size())};
                places_.push_back({path, noRow});
                return {slot.place, true};
            }
            if (slot.hash == high &&
                pathOf(places_[static_cast<std::size_t>(slot.place)].path) == text)
                return {slot.place, false};
        }
    }

    const std::vector<PlannedRename>& rows_;
    const PathExists& exists_;
    std::vector<Slot> slots_;
    std::vector<Place> places_;
    // The place of each row's own path.
    std::vector<int> rowPlaces_;
};

} // namespace

std::vector<Conflict> foreseeListOrder(const std::vector<PlannedRename>& rows,
                                       const PathExists& exists, const PathAhead& pathAhead) {
    Disk disk(rows, exists);
    const std::vector<std::size_t> hashes =
        hashesOf(rows, [](const PlannedRename& row) { return row.newPath; });
    std::vector<bool> moved(rows.size(), false);
    std::set<int> toldSwaps;
    std::vector<Conflict> conflicts;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const auto row = static_cast<int>(r);
        const PlannedRename& rename = rows[r];
        if (r + rowsAhead < rows.size()) {
            disk.prefetch(hashes[r + rowsAhead]);
            if (pathAhead && !rows[r + rowsAhead].newPath.empty())
                pathAhead(rows[r + rowsAhead].newPath);
        }
        if (rename.newPath.empty() || rename.newPath == rename.oldPath)
            continue;
        const int place = disk.newPlace(r, hashes[r]);
        const int other = disk.at(place);
        if (other == Disk::emptied) {
            disk.move(row, place);
            moved[r] = true;
            continue;
        }
        if (toldSwaps.count(row) != 0)
            continue;
        const auto o = static_cast<std::size_t>(other);
        const bool laterMoves =
            other > row && !rows[o].newPath.empty() && rows[o].newPath != rows[o].oldPath;
        if (!laterMoves) {
            const bool same = other >= 0 && moved[o];
            conflicts.push_back(
                {same ? Conflict::Kind::sameNewName : Conflict::Kind::existingFile, row, other});
        } else if (rows[o].newPath == rename.oldPath) {
            conflicts.push_back({Conflict::Kind::swap, row, other});
            toldSwaps.insert(other);
        } else {
            conflicts.push_back({Conflict::Kind::chain, row, other});
        }
    }
    return conflicts;
}

std::vector<bool> failingRows(const std::vector<Conflict>& conflicts, std::size_t rowCount) {
    std::vector<bool> failing(rowCount, false);
    for (const Conflict& c : conflicts) {
        failing[static_cast<std::size_t>(c.row)] = true;
        if (c.kind == Conflict::Kind::swap)
            failing[static_cast<std::size_t>(c.other)] = true;
    }
    return failing;
}

PassOutcome foreseenOutcome(const std::vector<Conflict>& conflicts, const FileRows& rows) {
    PassOutcome outcome;
    outcome.kind = PassOutcome::Kind::renamed;
    const std::vector<bool> failing =
        failingRows(conflicts, static_cast<std::size_t>(rows.count()));
    std::string buffer;
    for (int i = 0; i < rows.count(); ++i) {
        if (rows.columnView(i, RowColumn::NewName, buffer).empty())
            ++outcome.rowsWithoutName;
        else if (failing[static_cast<std::size_t>(i)])
            ++outcome.failedRenames;
    }
    return outcome;
}

bool windowsCannotHold(std::string_view name) {
    for (char c : name)
        if (c > 0 && c < 0x20)
            return true;
    if (!name.empty() && (name.back() == '.' || name.back() == ' '))
        return true;
    std::string base(name.substr(0, name.find('.')));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    for (char& c : base)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL")
        return true;
    return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
           base[3] >= '1' && base[3] <= '9';
}

std::vector<UnusableName> leaveUnusableNames(FileRows& rows,
                                             const std::vector<RowName::Kind>& kinds,
                                             const LongestName& longestName, bool windowsNames) {
    std::map<std::string, std::size_t, std::less<>> longest;
    auto longestIn = [&](std::string_view folder) {
        auto known = longest.find(folder);
        if (known == longest.end()) {
            std::string key(folder);
            const std::size_t most = longestName(key);
            known = longest.emplace(std::move(key), most).first;
        }
        return known->second;
    };
    std::vector<UnusableName> left;
    std::string newBuffer;
    std::string folderBuffer;
    std::string nameBuffer;
    for (int i = 0; i < rows.count(); ++i) {
        const std::string_view newName = rows.columnView(i, RowColumn::NewName, newBuffer);
        if (newName.empty()) {
            const bool refused = static_cast<std::size_t>(i) < kinds.size() &&
                                 kinds[static_cast<std::size_t>(i)] == RowName::Kind::refused;
            left.push_back(
                {i, refused ? UnusableName::Why::refused : UnusableName::Why::empty, {}});
            continue;
        }
        const std::string_view folder = rows.columnView(i, RowColumn::FilePath, folderBuffer);
        const auto name = [&] { return rows.columnView(i, RowColumn::CurrentName, nameBuffer); };
        // A PATH of "." or ".." that keeps its name is no rename to one of the two, but a PATH
        // that cannot be renamed, which foreseeUnrenamable() tells.
        if ((newName == "." || newName == "..") && newName != name())
            left.push_back({i, UnusableName::Why::dotNames, std::string(newName)});
        else if (newName.size() > longestIn(folder))
            left.push_back(
                {i, UnusableName::Why::tooLong, std::string(newName), longestIn(folder)});
        else if (windowsNames && newName != name() && windowsCannotHold(newName))
            left.push_back({i, UnusableName::Why::windows, std::string(newName)});
        else
            continue;
        rows.setNewName(i, {});
    }
    return left;
}

namespace {

bool isSeparator(char c, std::string_view separators) {
    for (char s : separators)
        if (c == s)
            return true;
    return false;
}

// Where the last separator of the path is, npos when it has none.
std::size_t lastSeparator(std::string_view path, std::string_view separators) {
    if (separators.size() == 1)
        return path.rfind(separators[0]);
    for (std::size_t at = path.size(); at-- > 0;)
        if (isSeparator(path[at], separators))
            return at;
    return std::string_view::npos;
}

// Whether the name at the end of the path is "." or "..", or the path is the root.
bool namesNoFile(std::string_view path, std::size_t last, std::string_view separators) {
    const std::string_view name = last == std::string_view::npos ? path : path.substr(last + 1);
    if (name.empty())
        return std::all_of(path.begin(), path.end(),
                           [&](char c) { return isSeparator(c, separators); });
    return name == "." || name == "..";
}

// The rows that move their file, by its identity: a flat table, open addressed, of the rows,
// whose identities, kept by the caller, are found by row, so that a long list costs few bytes a
// row and no allocation. A slot holds the high half of its file's hash beside the row, so that a
// probe of another file's slot does not read that file.
class MovingFiles {
  public:
    explicit MovingFiles(std::size_t rowCount) : files_(rowCount) {
        std::size_t slots = 16;
        while (slots < 2 * rowCount)
            slots *= 2;
        slots_.assign(slots, Slot{0, -1});
    }

    bool empty() const { return count_ == 0; }

    // Asks the memory for the slot where the file is looked for first.
    void prefetch(const FileId& file) const {
        __builtin_prefetch(&slots_[hashOf(file) & (slots_.size() - 1)]);
    }

    // The row that moves the file, or -1.
    int find(const FileId& file) const {
        const std::size_t hash = hashOf(file);
        const auto high = static_cast<std::uint32_t>(hash >> 32);
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            const Slot slot = slots_[i];
            if (slot.row < 0 ||
                (slot.hash == high && *files_[static_cast<std::size_t>(slot.row)] == file))
                return slot.row;
        }
    }

    // The row moves the file, which no earlier row moves, and which stays where it is.
    void add(const FileId& file, int row) {
        files_[static_cast<std::size_t>(row)] = &file;
        const std::size_t hash = hashOf(file);
        const std::size_t mask = slots_.size() - 1;
        std::size_t i = hash & mask;
        while (slots_[i].row >= 0)
            i = (i + 1) & mask;
        slots_[i] = {static_cast<std::uint32_t>(hash >> 32), row};
        ++count_;
    }

  private:
    static std::size_t hashOf(const FileId& file) {
        std::uint64_t h = file.inode ^ (file.device * 0x9E3779B97F4A7C15ULL);
        h ^= h >> 33;
        h *= 0xFF51AFD7ED558CCDULL;
        h ^= h >> 33;
        return static_cast<std::size_t>(h);
    }
    struct Slot {
        std::uint32_t hash; // the high half of the file's hash
        int row;            // -1: an empty slot
    };

    std::vector<const FileId*> files_;
    std::vector<Slot> slots_;
    std::size_t count_ = 0;
};

// A folder's path looked up by a view of it, without a string made for the asking.
struct FolderHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view path) const { return hashOfText(path); }
};

} // namespace

// Folders are known by their identities, so that a folder renamed is found under any spelling
// of the paths inside it; the identity of each folder on the way is asked once, and the rows of
// one folder share the list of the folders on their way. The rows' own files are asked in one
// batch before the rows are gone through.
std::vector<Unrenamable> foreseeUnrenamable(const std::vector<PlannedRename>& rows,
                                            const IdentitiesOf& identities,
                                            std::string_view separators) {
    // The rows with a new path and a path that may name a file.
    std::vector<std::string_view> asked;
    asked.reserve(rows.size());
    for (const PlannedRename& rename : rows)
        if (!rename.newPath.empty() &&
            !namesNoFile(rename.oldPath, lastSeparator(rename.oldPath, separators), separators))
            asked.push_back(rename.oldPath);
    const std::vector<std::optional<FileId>> files = identities(asked);
    asked = {};

    std::vector<Unrenamable> found;
    MovingFiles moving(rows.size());
    std::unordered_map<std::string, std::optional<FileId>, FolderHash, std::equal_to<>> folders;
    auto folderIdentity = [&](std::string_view folder) -> const std::optional<FileId>& {
        auto known = folders.find(folder);
        if (known == folders.end())
            known = folders.emplace(std::string(folder), identities({folder}).front()).first;
        return known->second;
    };
    // The folders that exist on the way to the paths that begin with wayOf, outermost first.
    std::optional<std::string_view> wayOf;
    std::vector<FileId> way;
    auto foldersOnTheWay = [&](std::string_view path,
                               std::size_t last) -> const std::vector<FileId>& {
        const std::string_view folder =
            last == std::string_view::npos ? std::string_view() : path.substr(0, last + 1);
        if (wayOf == folder)
            return way;
        wayOf = folder;
        way.clear();
        for (std::size_t at = 1; at < folder.size(); ++at) {
            // "C:" is the current folder of a drive, not a folder on the way.
            if (!isSeparator(folder[at], separators) || folder[at - 1] == ':')
                continue;
            if (const std::optional<FileId>& known = folderIdentity(folder.substr(0, at)))
                way.push_back(*known);
        }
        return way;
    };
    // How many asked files ahead the table of moving files is asked for their slots.
    constexpr std::size_t filesAhead = 8;
    std::size_t next = 0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const PlannedRename& rename = rows[r];
        const auto row = static_cast<int>(r);
        if (rename.newPath.empty())
            continue;
        const std::size_t last = lastSeparator(rename.oldPath, separators);
        if (namesNoFile(rename.oldPath, last, separators)) {
            found.push_back({Unrenamable::Kind::notAName, row, -1});
            continue;
        }
        if (next + filesAhead < files.size() && files[next + filesAhead])
            moving.prefetch(*files[next + filesAhead]);
        const std::optional<FileId>& file = files[next++];
        if (!file) {
            found.push_back({Unrenamable::Kind::missing, row, -1});
            continue;
        }
        if (const int same = moving.find(*file); same >= 0) {
            found.push_back({Unrenamable::Kind::sameFile, row, same});
            continue;
        }
        int folderMoved = -1;
        if (!moving.empty())
            for (const FileId& folder : foldersOnTheWay(rename.oldPath, last))
                if ((folderMoved = moving.find(folder)) >= 0)
                    break;
        if (folderMoved >= 0) {
            found.push_back({Unrenamable::Kind::folderFirst, row, folderMoved});
            continue;
        }
        if (rename.newPath != rename.oldPath)
            moving.add(*file, row);
    }
    return found;
}
