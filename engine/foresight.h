#pragma once

#include "file_rows.h"
#include "path_exists.h"
#include "rename_pass.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
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

// The path of a row some rows ahead, which exists() may be asked next, so that its answer can
// be on its way by then; a hint, which changes no result.
using PathAhead = std::function<void(std::string_view)>;

// The conflicts the rename pass meets in list order, as the window's pass meets them: each row
// renamed in turn, never onto an existing file. A swap is told once, at its first row.
// Tested by engine_tests (plan_test.cpp).
std::vector<Conflict> foreseeListOrder(const std::vector<PlannedRename>& rows,
                                       const PathExists& exists,
                                       const PathAhead& pathAhead = nullptr);

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
        windows,  // a name that Windows cannot hold (windowsCannotHold())
    };
    int row;
    Why why;
    std::string newName;     // the name that is not used
    std::size_t longest = 0; // tooLong: the most bytes a name in the folder may have
};

// The most bytes a name in a folder may have ("" is the current folder).
using LongestName = std::function<std::size_t(const std::string& folder)>;

// Whether Windows cannot hold the name, besides its nine forbidden characters: a device name
// (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, in any case, alone or before a dot), a name
// that ends in a dot or a space (which Windows would cut off), a control character.
bool windowsCannotHold(std::string_view name);

// Leaves alone every row whose new name can be no file's name, by each row's kind from the
// test pass: an empty one, "." and "..", a name longer than its folder allows, and, with
// windowsNames, a name that Windows cannot hold (unless it is the row's own name). Returns those
// rows in list order. Tested by engine_tests (plan_test.cpp) and cli_e2e_tests.
std::vector<UnusableName> leaveUnusableNames(FileRows& rows,
                                             const std::vector<RowName::Kind>& kinds,
                                             const LongestName& longestName,
                                             bool windowsNames = false);

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

// Which file a path names at one moment: its device and inode (on Windows the volume and the
// file index). Two paths name the same file when they give the same FileId.
struct FileId {
    std::uint64_t device;
    std::uint64_t inode;

    friend bool operator==(const FileId&, const FileId&) = default;
};

// The identities of the files or folders at the paths, in their order, none where nothing is
// there: asked together, so that the lookups of a long list may overlap.
using IdentitiesOf =
    std::function<std::vector<std::optional<FileId>>(const std::vector<std::string_view>&)>;

// The rows with a new path that the pass would fail whatever the order, as it fails them: a row
// whose path names nothing, a row whose file an earlier row already renames, a row inside a
// folder that an earlier row renames first, and a row of ".", ".." or the root. A row told is no
// earlier row for the rows after it. The paths' folders are separated by any of separators. Tested
// by engine_tests (plan_test.cpp) and cli_e2e_tests.
std::vector<Unrenamable> foreseeUnrenamable(const std::vector<PlannedRename>& rows,
                                            const IdentitiesOf& identities,
                                            std::string_view separators);
