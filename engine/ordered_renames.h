#pragma once

#include "file_renamer.h"
#include "file_rows.h"
#include "foresight.h"
#include "rename_pass.h"

#include <functional>
#include <string>
#include <vector>

// One rename of an ordered run: a row's file from one path to another, or to or from a
// temporary name of its own.
struct RenameStep {
    int row;
    std::string from;
    std::string to;
};

// The renames of an ordered run, in groups: a chain (each file moved before the one whose name
// it takes is taken), or a cycle of swapped names (one file moved aside to a temporary name in
// its own folder, the others moved on, that file moved to its name last). A group is made step
// by step; when a step of a cycle fails, the cycle's steps made so far are taken back, so every
// file ends under its old or its new name.
struct OrderedPlan {
    std::vector<std::vector<RenameStep>> chains;
    std::vector<std::vector<RenameStep>> cycles;
    // The rows that cannot be renamed in any order: two rows with one new name (the later one),
    // a new name that is a file of no moving row.
    std::vector<Conflict> conflicts;
};

// The plan for the rows; temporaryName(folder, n) gives the n-th temporary name candidate of a
// folder, and the first that does not exist is taken. For n rows it takes time in proportion to
// n log n, however long their chains. Tested by engine_tests (plan_test.cpp).
OrderedPlan
planOrder(const std::vector<PlannedRename>& rows, const PathExists& exists,
          const std::function<std::string(const std::string& oldPath, int n)>& temporaryName);

// What one step gave, for the caller to report: the step and the renamer's result.
using StepReport = std::function<void(const RenameStep&, const RenameResult&)>;

// Makes the plan's renames; returns, for each row, whether the plan moved its file to its new
// name: false for a row that it leaves where it is (no new name, its own name, a conflict) and
// for a row whose rename failed or was taken back.
std::vector<bool> runOrdered(const OrderedPlan& plan, std::size_t rowCount, FileRenamer& renamer,
                             const StepReport& report);

// What runOrdered did to the rows, counted as the pass in list order counts them: a row without
// a new name, and a row whose file did not get a new name that differs from its old one, failed.
PassOutcome orderedOutcome(const std::vector<bool>& renamed, const FileRows& rows);
