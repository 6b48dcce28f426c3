#pragma once

#include "file_rows.h"
#include "foresight.h"
#include "rename_engine.h"
#include "rename_pass.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// Which rows fail, foreseen or made, counted as the rename pass in list order counts them
// (PassOutcome::failedRows), and the rows left alone because their new names can be no file's
// name. Tested by engine_tests (failed_rows_test.cpp) and cli_e2e_tests.

// Every row's path and new path, the new path empty for a row without a NewName.
std::vector<PlannedRename> plannedRenames(const FileRows& rows);

// Which rows the conflicts keep from their new names: the row of each, both rows of a swap.
std::vector<bool> failingRows(const std::vector<Conflict>& conflicts, std::size_t rowCount);

// What the rename pass would give the rows with these conflicts, its failed rows counted as it
// counts them.
PassOutcome foreseenOutcome(const std::vector<Conflict>& conflicts, const FileRows& rows);

// A row whose new name can be no file's name, left alone with its NewName emptied.
struct UnusableName {
    enum class Why : unsigned char {
        refused,  // the new name was refused while it was made, and that was told then
        empty,    // a replacement by nothing took the name whole
        dotNames, // "." or ".."
        tooLong,  // longer than the file system allows in the row's folder
    };
    int row;
    Why why;
    std::string newName;     // the name that is not used
    std::size_t longest = 0; // tooLong: the most bytes a name in the folder may have
};

// The most bytes a name in a folder may have ("" is the current folder).
using LongestName = std::function<std::size_t(const std::string& folder)>;

// Leaves alone every row whose new name can be no file's name, by each row's kind from the
// test pass: an empty one, "." and "..", a name longer than its folder allows. Returns those
// rows in list order.
std::vector<UnusableName> leaveUnusableNames(FileRows& rows,
                                             const std::vector<RowName::Kind>& kinds,
                                             const LongestName& longestName);

// What runOrdered did to the rows, counted as the pass in list order counts them: a row without
// a new name, and a row whose file did not get a new name that differs from its old one, failed.
PassOutcome orderedOutcome(const std::vector<bool>& renamed, const FileRows& rows);
