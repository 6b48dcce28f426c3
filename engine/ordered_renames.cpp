#include "ordered_renames.h"

#include <functional>
#include <map>
#include <queue>
#include <set>
#include <utility>

namespace {

// The rows that move (a new name that differs from the old), after the rows that cannot:
// duplicates of an earlier row's new name, and new names of files that stay.
class MovingRows {
  public:
    MovingRows(const std::vector<PlannedRename>& rows, const PathExists& exists,
               std::vector<Conflict>& conflicts) {
        // The first row of each path, and the moving row that takes each new path.
        std::map<std::string, int> firstFrom;
        std::map<std::string, int> takenBy;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const auto row = static_cast<int>(r);
            firstFrom.emplace(rows[r].oldPath, row);
            if (rows[r].newPath.empty() || rows[r].newPath == rows[r].oldPath)
                continue;
            auto [first, fresh] = takenBy.emplace(rows[r].newPath, row);
            if (!fresh) {
                conflicts.push_back({Conflict::Kind::sameNewName, row, first->second});
                continue;
            }
            moving_.insert(row);
            movingFrom_[rows[r].oldPath] = row;
        }
        // A row whose new name is a file that stays cannot move; nor, then, the row whose new
        // name is that row's file. The conflicts come in the order in which passes over the
        // list from the top, repeated until one finds none, would find them: in the first pass
        // the rows whose new names are such files from the start, in list order; a row that can
        // no longer move once another cannot is found in that row's pass when it comes later in
        // the list, in the next pass when it comes earlier. A row that cannot move stops at most
        // one other (the row whose new name is its file), so only that row is looked at again.
        using PassAndRow = std::pair<int, int>;
        std::priority_queue<PassAndRow, std::vector<PassAndRow>, std::greater<>> stopped;
        for (int row : moving_) {
            const std::string& target = rows[static_cast<std::size_t>(row)].newPath;
            if (movingFrom_.count(target) == 0 && exists(target))
                stopped.push({0, row});
        }
        while (!stopped.empty()) {
            const auto [pass, row] = stopped.top();
            stopped.pop();
            const PlannedRename& stuck = rows[static_cast<std::size_t>(row)];
            const auto owner = firstFrom.find(stuck.newPath);
            conflicts.push_back(
                {Conflict::Kind::existingFile, row, owner == firstFrom.end() ? -1 : owner->second});
            moving_.erase(row);
            if (movingFrom_.erase(stuck.oldPath) == 0)
                continue;
            const auto waiting = takenBy.find(stuck.oldPath);
            if (waiting != takenBy.end() && exists(stuck.oldPath))
                stopped.push({waiting->second > row ? pass : pass + 1, waiting->second});
        }
    }

    const std::set<int>& rows() const { return moving_; }
    // The moving row whose file is at path, or -1.
    int from(const std::string& path) const {
        auto found = movingFrom_.find(path);
        return found == movingFrom_.end() ? -1 : found->second;
    }

  private:
    std::set<int> moving_;
    std::map<std::string, int> movingFrom_;
};

RenameStep stepOf(const std::vector<PlannedRename>& rows, int row) {
    const PlannedRename& r = rows[static_cast<std::size_t>(row)];
    return {row, r.oldPath, r.newPath};
}

// Makes the steps in turn; stops at the first that fails.
std::size_t runSteps(const std::vector<RenameStep>& steps, FileRenamer& renamer,
                     const StepReport& report) {
    std::size_t done = 0;
    for (; done < steps.size(); ++done) {
        const RenameResult result = renamer.rename(steps[done].from, steps[done].to);
        report(steps[done], result);
        if (!result.renamed)
            break;
    }
    return done;
}

} // namespace

OrderedPlan planOrder(const std::vector<PlannedRename>& rows, const PathExists& exists,
                      const std::function<std::string(const std::string&, int)>& temporaryName) {
    OrderedPlan plan;
    const MovingRows moving(rows, exists, plan.conflicts);
    // Each moving row waits for at most one other (the one whose file is at its new name) and
    // is waited for by at most one: the rows make chains and cycles.
    std::map<int, int> waitsFor;
    std::map<int, int> waitedForBy;
    for (int row : moving.rows()) {
        const int next = moving.from(rows[static_cast<std::size_t>(row)].newPath);
        if (next >= 0) {
            waitsFor[row] = next;
            waitedForBy[next] = row;
        }
    }
    std::set<int> placed;
    // A chain starts at a row that waits for nobody and goes back through those that wait.
    for (int row : moving.rows()) {
        if (waitsFor.count(row) != 0)
            continue;
        std::vector<RenameStep> chain;
        for (int r = row;; r = waitedForBy[r]) {
            chain.push_back(stepOf(rows, r));
            placed.insert(r);
            if (waitedForBy.count(r) == 0)
                break;
        }
        plan.chains.push_back(chain);
    }
    // What is left are cycles: the first row's file goes aside, the others follow it round.
    for (int row : moving.rows()) {
        if (placed.count(row) != 0)
            continue;
        const PlannedRename& first = rows[static_cast<std::size_t>(row)];
        std::string aside;
        for (int n = 0; aside.empty() || exists(aside); ++n)
            aside = temporaryName(first.oldPath, n);
        std::vector<RenameStep> cycle{{row, first.oldPath, aside}};
        placed.insert(row);
        for (int r = waitedForBy[row]; r != row; r = waitedForBy[r]) {
            cycle.push_back(stepOf(rows, r));
            placed.insert(r);
        }
        cycle.push_back({row, aside, first.newPath});
        plan.cycles.push_back(cycle);
    }
    return plan;
}

std::vector<bool> runOrdered(const OrderedPlan& plan, std::size_t rowCount, FileRenamer& renamer,
                             const StepReport& report) {
    std::vector<bool> renamed(rowCount, false);
    // In a chain a failed step leaves the rows before it waiting for a name that never frees:
    // they are not tried, and stay under their old names.
    for (const std::vector<RenameStep>& chain : plan.chains) {
        const std::size_t done = runSteps(chain, renamer, report);
        for (std::size_t i = 0; i < done; ++i)
            renamed[static_cast<std::size_t>(chain[i].row)] = true;
    }
    for (const std::vector<RenameStep>& cycle : plan.cycles) {
        const std::size_t done = runSteps(cycle, renamer, report);
        if (done == cycle.size()) {
            for (const RenameStep& step : cycle)
                renamed[static_cast<std::size_t>(step.row)] = true;
            continue;
        }
        for (std::size_t i = done; i-- > 0;)
            report({cycle[i].row, cycle[i].to, cycle[i].from},
                   renamer.rename(cycle[i].to, cycle[i].from));
    }
    return renamed;
}

PassOutcome orderedOutcome(const std::vector<bool>& renamed, const FileRows& rows) {
    PassOutcome outcome;
    outcome.kind = PassOutcome::Kind::renamed;
    for (int i = 0; i < rows.count(); ++i) {
        const std::string newName = rows.column(i, RowColumn::NewName);
        if (newName.empty())
            ++outcome.rowsWithoutName;
        else if (!renamed[static_cast<std::size_t>(i)] &&
                 newName != rows.column(i, RowColumn::CurrentName))
            ++outcome.failedRenames;
    }
    return outcome;
}
