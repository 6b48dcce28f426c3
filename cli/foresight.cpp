#include "foresight.h"

#include <map>
#include <set>

namespace {

// Where every row's file is as the pass goes on: the path it is at, by row; and which paths
// the pass has emptied.
class Disk {
  public:
    Disk(const std::vector<PlannedRename>& rows, const PathExists& exists) : exists_(exists) {
        for (std::size_t row = 0; row < rows.size(); ++row)
            owner_.emplace(rows[row].oldPath, static_cast<int>(row));
    }

    // The row whose file is at path, -1 for a file of no row, -2 for nothing.
    int at(const std::string& path) const {
        if (auto found = owner_.find(path); found != owner_.end())
            return found->second;
        if (emptied_.count(path) != 0 || !exists_(path))
            return -2;
        return -1;
    }

    void move(int row, const std::string& from, const std::string& to) {
        owner_.erase(from);
        emptied_.insert(from);
        owner_[to] = row;
        emptied_.erase(to);
    }

  private:
    const PathExists& exists_;
    std::map<std::string, int> owner_;
    std::set<std::string> emptied_;
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
        if (other == -2) {
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
