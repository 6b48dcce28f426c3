#include "foresight.h"

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string_view>
#include <utility>

namespace {

// Where every row's file is as the pass goes on: the row whose file is at a path, or emptied
// for a path that the pass has emptied; the disk itself for the others. The paths are held in a
// flat table of their own, open addressed, which a pass over many rows asks twice for each row
// with few cache misses.
class Disk {
  public:
    static constexpr int emptied = -2;
    static constexpr int noRow = -1;

    // At most two paths for each row, the old and the new.
    Disk(const std::vector<PlannedRename>& rows, const PathExists& exists) : exists_(exists) {
        std::size_t slots = 16;
        while (slots < 4 * rows.size())
            slots *= 2;
        slots_.assign(slots, Slot{0, -1});
        places_.reserve(2 * rows.size());
        rowPlaces_.reserve(rows.size());
        for (std::size_t row = 0; row < rows.size(); ++row) {
            const auto [place, added] = placeOf(rows[row].oldPath);
            if (added)
                places_[static_cast<std::size_t>(place)].what = static_cast<int>(row);
            rowPlaces_.push_back(place);
        }
    }

    // The place of path, which move() can take.
    int place(const std::string& path) {
        const auto [place, added] = placeOf(path);
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
    struct Place {
        std::string_view path; // a view of a row's own path, which outlives the disk
        int what;
    };
    struct Slot {
        std::uint32_t hash; // the high half of the path's hash
        int place;          // -1: an empty slot
    };

    // The place of path, and whether it was added now (holding noRow).
    std::pair<int, bool> placeOf(std::string_view path) {
        const std::size_t hash = std::hash<std::string_view>{}(path);
        const auto high = static_cast<std::uint32_t>(hash >> 32);
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            Slot& slot = slots_[i];
            if (slot.place < 0) {
                slot = {high, static_cast<int>(places_.size())};
                places_.push_back({path, noRow});
                return {slot.place, true};
            }
            if (slot.hash == high && places_[static_cast<std::size_t>(slot.place)].path == path)
                return {slot.place, false};
        }
    }

    const PathExists& exists_;
    std::vector<Slot> slots_;
    std::vector<Place> places_;
    // The place of each row's own path.
    std::vector<int> rowPlaces_;
};

} // namespace

std::vector<Conflict> foreseeListOrder(const std::vector<PlannedRename>& rows,
                                       const PathExists& exists) {
    Disk disk(rows, exists);
    std::vector<bool> moved(rows.size(), false);
    std::set<int> toldSwaps;
    std::vector<Conflict> conflicts;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const auto row = static_cast<int>(r);
        const PlannedRename& rename = rows[r];
        if (rename.newPath.empty() || rename.newPath == rename.oldPath)
            continue;
        const int place = disk.place(rename.newPath);
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

std::vector<PlannedRename> plannedRenames(const FileRows& rows) {
    std::vector<PlannedRename> planned;
    planned.reserve(static_cast<std::size_t>(rows.count()));
    for (int i = 0; i < rows.count(); ++i) {
        const std::string folder = rows.column(i, RowColumn::FilePath);
        const std::string newName = rows.column(i, RowColumn::NewName);
        planned.push_back({folder + rows.column(i, RowColumn::CurrentName),
                           newName.empty() ? std::string() : folder + newName});
    }
    return planned;
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
    for (int i = 0; i < rows.count(); ++i) {
        if (rows.column(i, RowColumn::NewName).empty())
            ++outcome.rowsWithoutName;
        else if (failing[static_cast<std::size_t>(i)])
            ++outcome.failedRenames;
    }
    return outcome;
}

std::vector<UnusableName> leaveUnusableNames(FileRows& rows,
                                             const std::vector<RowName::Kind>& kinds,
                                             const LongestName& longestName) {
    std::map<std::string, std::size_t> longest;
    auto longestIn = [&](const std::string& folder) {
        auto known = longest.find(folder);
        return known != longest.end() ? known->second
                                      : longest.emplace(folder, longestName(folder)).first->second;
    };
    std::vector<UnusableName> left;
    for (int i = 0; i < rows.count(); ++i) {
        std::string newName = rows.column(i, RowColumn::NewName);
        if (newName.empty()) {
            const bool refused = static_cast<std::size_t>(i) < kinds.size() &&
                                 kinds[static_cast<std::size_t>(i)] == RowName::Kind::refused;
            left.push_back(
                {i, refused ? UnusableName::Why::refused : UnusableName::Why::empty, {}});
            continue;
        }
        const std::string folder = rows.column(i, RowColumn::FilePath);
        if (newName == "." || newName == "..")
            left.push_back({i, UnusableName::Why::dotNames, std::move(newName)});
        else if (newName.size() > longestIn(folder))
            left.push_back({i, UnusableName::Why::tooLong, std::move(newName), longestIn(folder)});
        else
            continue;
        rows.setNewName(i, {});
    }
    return left;
}
