#include "foresight.h"

#include <set>
#include <string_view>
#include <unordered_map>

namespace {

// Where every row's file is as the pass goes on: the row whose file is at a path, or emptied
// for a path that the pass has emptied; the disk itself for the others.
class Disk {
  public:
    using Place = std::unordered_map<std::string_view, int>::iterator;

    static constexpr int emptied = -2;
    static constexpr int noRow = -1;

    // At most two paths for each row, the old and the new, so the places never move.
    Disk(const std::vector<PlannedRename>& rows, const PathExists& exists) : exists_(exists) {
        at_.reserve(2 * rows.size());
        rowPlaces_.reserve(rows.size());
        for (std::size_t row = 0; row < rows.size(); ++row)
            rowPlaces_.push_back(at_.emplace(rows[row].oldPath, static_cast<int>(row)).first);
    }

    // What is at path, as one place that move() can take: the row whose file is there, noRow
    // for a file of no row, emptied for nothing. The disk is asked once for each path.
    Place place(const std::string& path) {
        auto [found, added] = at_.try_emplace(path, noRow);
        if (added && !exists_(path))
            found->second = emptied;
        return found;
    }

    // The row's file moves from its own path to the emptied place `to`.
    void move(int row, Place to) {
        rowPlaces_[static_cast<std::size_t>(row)]->second = emptied;
        to->second = row;
    }

  private:
    const PathExists& exists_;
    // Views of the rows' own paths, which outlive the disk.
    std::unordered_map<std::string_view, int> at_;
    // The place of each row's own path.
    std::vector<Place> rowPlaces_;
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
        const auto place = disk.place(rename.newPath);
        const int other = place->second;
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
