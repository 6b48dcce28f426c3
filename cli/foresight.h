#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// One row as the rename pass will take it: its path and the new path (empty when the row is
// left alone).
struct PlannedRename {
    std::string oldPath;
    std::string newPath;
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
using PathExists = std::function<bool(const std::string&)>;

// The conflicts the rename pass meets in list order, as the window's pass meets them: each row
// renamed in turn, never onto an existing file. A swap is told once, at its first row.
// Tested by cli_tests (plan_test.cpp).
std::vector<Conflict> foreseeListOrder(const std::vector<PlannedRename>& rows,
                                       const PathExists& exists);

// A row that no order of renames can rename, found before any rename is made.
struct Unrenamable {
    enum class Kind {
        missing,     // nothing has the row's path
        sameFile,    // the row's file is other's (an earlier row), under another spelling
        folderFirst, // other, an earlier row, renames a folder that the row's path goes through
        notAName,    // the path is ".", ".." or the root, which no rename can move
    };
    Kind kind;
    int row;
    int other; // -1: no row

    friend bool operator==(const Unrenamable&, const Unrenamable&) = default;
};

// The identity of the file or folder at a path (device and inode), empty when nothing is there.
using IdentityOf = std::function<std::string(const std::string&)>;

// The rows with a new path that the pass would fail whatever the order, as it fails them: a row
// whose path names nothing, a row whose file an earlier row already renames, a row inside a
// folder that an earlier row renames first, and a row of ".", ".." or the root. A row told is no
// earlier row for the rows after it. The paths' folders are separated by any of separators. Tested
// by cli_tests (plan_test.cpp) and cli_e2e_tests.
std::vector<Unrenamable> foreseeUnrenamable(const std::vector<PlannedRename>& rows,
                                            const IdentityOf& identity,
                                            std::string_view separators);
