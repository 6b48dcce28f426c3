#pragma once

#include <functional>
#include <string_view>
#include <vector>

// One row as the rename pass will take it: its path and the new path (empty when the row is
// left alone), views of texts that the caller keeps for as long as it uses the plan.
struct PlannedRename {
    std::string_view oldPath;
    std::string_view newPath;
};

// A rename that cannot be made, foreseen before any rename is.
struct Conflict {
    enum class Kind {
        sameNewName,  // row and other (an earlier row) would get the same new path
        existingFile, // the new path is a file that stays there: other's, or a file of no row
        chain,        // the new path is the file of other, a later row, renamed only after row
        swap,         // row and other would take each other's names
    };
    Kind kind;
    int row;
    int other; // -1: no row

    friend bool operator==(const Conflict&, const Conflict&) = default;
};

// Whether a path names a file or folder on disk now.
using PathExists = std::function<bool(std::string_view)>;

// The conflicts the rename pass meets in list order, as the window's pass meets them: each row
// renamed in turn, never onto an existing file. A swap is told once, at its first row.
// Tested by cli_tests (plan_test.cpp).
std::vector<Conflict> foreseeListOrder(const std::vector<PlannedRename>& rows,
                                       const PathExists& exists);
