#include "fuzz_input.h"
#include "fuzz_messages.h"
#include "handle_per_match.h"
#include "library_text.h"
#include "path_split.h"
#include "property.h"
#include "regex_library.h"
#include "rename_engine.h"
#include "replace_reference.h"
#include "table_code_page.h"
#include "text_walk.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Computes the new name of any file name with any Search and Replace text through the real
// regex library. Input: the code-page byte, then the name, the Search text and the Replace
// text. Properties: a refused new name comes with message 11, and an empty one without a
// message replaced the whole name by nothing; a new name comes without any message;
// a new name never holds a forbidden character, so the folder of its row never changes; only
// the matched text, at least one byte, is replaced, and the inserted text lies where
// lastMatchPos and lastMatchLen say; a Replace text without backslashes goes in as it is; with
// a Search text without regions, what goes in is the Replace text as the plain reference
// expands it, numbers and case included (its beginning, when that is longer than any name); and a
// name and a Replace text of whole characters give a new name of whole characters, so no character
// is split.
namespace {

constexpr std::string_view forbiddenCharacters = "\\/:*?\"<>|";
// Both separators of Windows paths: a new name may bring in neither.
constexpr std::string_view separators = "\\/";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const FuzzInput input = readFuzzInput(data, size, 0, 3);
    const std::string& name = input.fields[0];
    const std::string& search = input.fields[1];
    const std::string& replace = input.fields[2];
    useRegexLibrary(input.codePage);
    const TableCodePage cp(input.codePage);
    FuzzMessages messages;
    HandlePerMatch matcher;
    RenameEngine engine(cp, messages, matcher);
    engine.searchText = search;
    engine.replaceText = replace;
    // A number that grows with the name, so that the padding of "\#" meets numbers of every
    // width.
    engine.rowNumber = 1 + name.size() * name.size();
    if (!engine.preparePatternForPass())
        return 0;

    const std::string result = engine.computeNewName(name);
    if (result == NoMatchResult)
        return 0;
    if (result.empty()) {
        if (messages.shown == 0) {
            engine.replaceText = "x";
            require(engine.computeNewName(name) == "x",
                    "an empty new name without a message replaces the whole name by nothing",
                    {name, search, replace});
            return 0;
        }
        require(messages.shown == 1 &&
                    messages.last == messages.text(SystemText::ForbiddenCharacter),
                "a refused new name comes with message 11", {name, search, replace});
        return 0;
    }
    require(messages.shown == 0, "a new name comes without a message", {name, search, replace});
    require(findAnyChar(result, forbiddenCharacters, 0, cp) == notFound,
            "a new name never holds a forbidden character", {name, search, replace, result});
    const std::string folder = "C:\\Kibrel\\";
    const PathParts row = splitPath(folder + result, separators, cp);
    require(row.folder == folder && row.name == result, "the folder of a row never changes",
            {name, search, replace, result});

    const int pos = engine.lastMatchPos;
    const int len = engine.lastMatchLen;
    require(pos >= 0 && len >= 0 && static_cast<std::size_t>(pos + len) <= result.size(),
            "the inserted text lies inside the new name", {name, search, replace, result});
    const auto start = static_cast<std::size_t>(pos);
    const std::size_t tail = result.size() - start - static_cast<std::size_t>(len);
    require(start + tail < name.size() && result.compare(0, start, name, 0, start) == 0 &&
                result.compare(start + static_cast<std::size_t>(len), tail, name,
                               name.size() - tail, tail) == 0,
            "only the matched text, at least one byte, is replaced",
            {name, search, replace, result});
    if (replace.find('\\') == std::string::npos)
        require(result.compare(start, static_cast<std::size_t>(len), replace) == 0,
                "a Replace text without backslashes goes in as it is",
                {name, search, replace, result});
    if (engine.regionList.empty()) {
        const std::string_view matched =
            std::string_view(name).substr(start, name.size() - start - tail);
        // An expansion longer than any name is cut short: what goes in is then its beginning.
        const std::string expanded = referenceExpansion(replace, {matched}, cp, engine.rowNumber);
        const auto inserted = static_cast<std::size_t>(len);
        require(result.compare(start, inserted, expanded, 0, inserted) == 0 &&
                    (inserted == expanded.size() || inserted > 4096),
                "what goes in is the Replace text as the reference expands it",
                {name, search, replace, result});
    }
    if (isWellFormed(name, input.codePage) && isWellFormed(replace, input.codePage))
        require(isWellFormed(result, input.codePage),
                "whole characters in give whole characters out", {name, search, replace, result});
    return 0;
}
