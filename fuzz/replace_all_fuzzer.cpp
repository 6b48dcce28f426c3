#include "fake_pass.h"
#include "fuzz_input.h"
#include "fuzz_messages.h"
#include "handle_per_match.h"
#include "path_split.h"
#include "property.h"
#include "regex_library.h"
#include "rename_engine.h"
#include "table_code_page.h"
#include "text_walk.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Runs the test pass, every row's replaceAllMatches, and then the rename pass over files in
// memory, with any Search and Replace text on rows of any paths. Input: the code-page byte,
// then the Search text, the Replace text and up to six paths. Properties: the loop of
// replaceAllMatches ends within one step per byte of the name, each with a bounded number of
// matches; the test pass changes no folder or current name; it numbers no more rows than there
// are, and at least every row whose name it changed; a new name never holds a forbidden
// character when the current name holds none, so the folder part of a row never changes and no
// rename leaves its folder; the rename pass loses no file and doubles none.
namespace {

constexpr std::size_t maxRows = 6;
constexpr std::string_view forbiddenCharacters = "\\/:*?\"<>|";
// Both separators of Windows paths: a new name may bring in neither.
constexpr std::string_view separators = "\\/";

// The most library uses replaceAllMatches may make for a name: at most one step for each of its
// bytes, and in each the first match and two boundaries a region, each tried at most once for
// each byte.
long maxUses(std::size_t nameLength, std::size_t regions) {
    const auto n = static_cast<long>(nameLength) + 1;
    return n * (1 + 2 * static_cast<long>(regions) * n);
}

std::vector<std::string> contentsOf(const FakeRenamer& disk) {
    std::vector<std::string> contents;
    for (const auto& [path, content] : disk.files)
        contents.push_back(content);
    std::sort(contents.begin(), contents.end());
    return contents;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const FuzzInput input = readFuzzInput(data, size, 0, 2 + maxRows);
    useRegexLibrary(input.codePage);
    const TableCodePage cp(input.codePage);
    FuzzMessages messages;
    HandlePerMatch matcher;
    RenameEngine engine(cp, messages, matcher);
    FakeRows rows;
    FakeRenamer disk;
    FakeWindow window;
    window.search = input.fields[0];
    window.replace = input.fields[1];
    RenamePass pass(engine, rows, disk, window, messages);
    rows.pass = &pass;
    for (std::size_t i = 2; i < input.fields.size(); ++i) {
        const std::string& path = input.fields[i];
        if (path.empty())
            continue;
        const PathParts parts = splitPath(path, windowSeparators, cp);
        rows.rows.push_back({parts.folder, parts.name, ""});
        disk.files.emplace(path, "content of row " + std::to_string(i));
    }
    const std::vector<FakeRow> listed = rows.rows;
    const std::vector<std::string> contents = contentsOf(disk);

    pass.runAction();
    if (pass.renameArmed() == 0) {
        require(rows.newNamesWritten == 0, "a refused pattern leaves the rows alone",
                {window.search});
        return 0;
    }
    long uses = 0;
    std::size_t changed = 0;
    for (std::size_t i = 0; i < listed.size(); ++i) {
        const FakeRow& row = rows.rows[i];
        if (row.newName != row.name)
            ++changed;
        require(row.folder == listed[i].folder && row.name == listed[i].name,
                "the test pass changes no folder or current name", {row.folder, row.name});
        uses += maxUses(row.name.size(), engine.regionList.size());
        if (findAnyChar(row.name, forbiddenCharacters, 0, cp) != notFound)
            continue;
        require(findAnyChar(row.newName, forbiddenCharacters, 0, cp) == notFound,
                "a new name never holds a forbidden character",
                {window.search, window.replace, row.name, row.newName});
        if (!row.newName.empty())
            require(splitPath(row.folder + row.newName, separators, cp).folder == row.folder,
                    "the folder part of a row never changes",
                    {window.search, window.replace, row.folder, row.name, row.newName});
    }
    require(engine.regexUses() <= uses, "the loop of replaceAllMatches ends in time",
            {window.search, window.replace});
    const std::uint64_t numbered = engine.rowNumber - engine.firstNumber;
    require(numbered >= changed && numbered <= listed.size(),
            "the pass numbers every row it changed and no more rows than there are",
            {window.search, window.replace});

    pass.runAction();
    require(pass.renameArmed() == 0, "the rename pass ends in the Test mode");
    require(contentsOf(disk) == contents, "the rename pass loses no file and doubles none",
            {window.search, window.replace});
    for (const auto& [oldPath, newPath] : disk.calls) {
        const PathParts from = splitPath(oldPath, windowSeparators, cp);
        if (findAnyChar(from.name, forbiddenCharacters, 0, cp) == notFound)
            require(splitPath(newPath, separators, cp).folder == from.folder,
                    "no rename leaves its folder",
                    {window.search, window.replace, oldPath, newPath});
    }
    return 0;
}
