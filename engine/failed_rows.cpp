#include "failed_rows.h"

#include <map>
#include <utility>

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
