#include "foresight.h"

#include <set>
#include <string_view>
#include <unordered_map>

namespace {

// Where every row's file is as the pass goes on: the row whose file is at a path, or emptied
// for a path that the pass has emptied; the disk itself for the others.
class Disk {
  public:
    static constexpr int emptied = -2;
    static constexpr int noRow = -1;

    Disk(const std::vector<PlannedRename>& rows, const PathExists& exists) : exists_(exists) {
        at_.reserve(2 * rows.size());
        for (std::size_t row = 0; row < rows.size(); ++row)
            at_.emplace(rows[row].oldPath, static_cast<int>(row));
    }

    // The row whose file is at path, noRow for a file of no row, emptied for nothing.
    int at(const std::string& path) const {
        if (auto found = at_.find(path); found != at_.end())
            return found->second;
        return exists_(path) ? noRow : emptied;
    }

    void move(int row, std::string_view from, std::string_view to) {
        at_[from] = emptied;
        at_[to] = row;
    }

  private:
    const PathExists& exists_;
    // Views of the rows' own paths, which outlive the disk.
    std::unordered_map<std::string_view, int> at_;
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
        const int other = disk.at(rename.newPath);
        if (other == Disk::emptied) {
            disk.move(row, rename.oldPath, rename.newPath);
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
