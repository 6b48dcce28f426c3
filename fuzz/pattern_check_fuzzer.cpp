#include "fuzz_input.h"
#include "fuzz_messages.h"
#include "handle_per_match.h"
#include "property.h"
#include "rename_engine.h"
#include "table_code_page.h"
#include "text_walk.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Prepares any Search text and checks its structure, as a test pass does. Input: the code-page
// byte, then the Search text. Properties: an empty Search text is refused and stays as it is;
// the regions of a prepared pattern rise strictly, each marker stands at its position on a
// character boundary, and no other marker is left, so none reaches the library; building the
// region list again gives the same list; a Search text without a backslash keeps its length
// and changes only where a brace character stands (so the second byte of a double-byte
// character is never taken for one); the structure check gives 1, 0 or -1, changes nothing,
// and gives 0 only when a region and a parenthesis are there; the pass is refused with exactly
// one message or goes on without any.
namespace {

bool bothMarkers(const std::string& prepared, const RegionList& regions, const CodePage& cp) {
    for (const auto& [open, close] : regions) {
        const auto o = static_cast<std::size_t>(open);
        const auto c = static_cast<std::size_t>(close);
        if (c >= prepared.size() || prepared[o] != MarkerOpen || prepared[c] != MarkerClose ||
            findChar(prepared, MarkerOpen, o, cp) != o ||
            findChar(prepared, MarkerClose, c, cp) != c)
            return false;
    }
    return true;
}

bool risesStrictly(const RegionList& regions) {
    int previous = -1;
    for (const auto& [open, close] : regions) {
        if (open <= previous || close <= open)
            return false;
        previous = close;
    }
    return true;
}

std::size_t markerCount(const std::string& text, const CodePage& cp) {
    const char markers[] = {MarkerOpen, MarkerClose};
    std::size_t count = 0;
    for (std::size_t i = findAnyChar(text, {markers, 2}, 0, cp); i != notFound;
         i = findAnyChar(text, {markers, 2}, i + 1, cp))
        ++count;
    return count;
}

// Where the walk by characters finds a brace, the prepared text holds its marker; every
// other byte is unchanged.
bool onlyBracesBecameMarkers(const std::string& typed, const std::string& prepared,
                             const CodePage& cp) {
    if (typed.size() != prepared.size())
        return false;
    for (std::size_t i = 0; i < typed.size();) {
        const std::size_t length = cp.charLength(typed, i);
        const char expected = length == 1 && typed[i] == '{'   ? MarkerOpen
                              : length == 1 && typed[i] == '}' ? MarkerClose
                                                               : typed[i];
        if (prepared[i] != expected ||
            typed.compare(i + 1, length - 1, prepared, i + 1, length - 1) != 0)
            return false;
        i += length;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const FuzzInput input = readFuzzInput(data, size, 0, 1);
    const std::string& typed = input.fields[0];
    const TableCodePage cp(input.codePage);
    FuzzMessages messages;
    HandlePerMatch matcher;
    RenameEngine engine(cp, messages, matcher);

    engine.searchText = typed;
    const int prepared = engine.preparePattern();
    require(prepared == 0 || prepared == 1, "preparation gives 1 or 0", {typed});
    if (typed.empty()) {
        require(prepared == 0 && engine.searchText.empty(), "an empty Search text is refused");
        return 0;
    }
    const std::string pattern = engine.searchText;
    if (findChar(typed, '\\', 0, cp) == notFound)
        require(onlyBracesBecameMarkers(typed, pattern, cp),
                "without backslashes only brace characters become markers", {typed, pattern});

    if (prepared == 1) {
        const RegionList regions = engine.regionList;
        require(risesStrictly(regions) && bothMarkers(pattern, regions, cp),
                "every region's markers stand at its positions, in rising order", {typed, pattern});
        require(markerCount(pattern, cp) == 2 * regions.size(),
                "no marker but those of the regions is left", {typed, pattern});
        require(engine.buildRegionList() == 1 && engine.regionList == regions,
                "building the region list again gives the same list", {typed, pattern});

        const int structure = engine.checkPatternStructure();
        require(structure == 1 || structure == 0 || structure == -1,
                "the structure check gives 1, 0 or -1", {typed, pattern});
        require(engine.searchText == pattern, "the structure check changes nothing",
                {typed, pattern});
        if (structure == 0)
            require(!regions.empty() && findChar(pattern, '(', 0, cp) != notFound,
                    "a region inside parentheses needs a region and a parenthesis",
                    {typed, pattern});
    }

    engine.searchText = typed;
    const bool passes = engine.preparePatternForPass();
    require(messages.shown == (passes ? 0 : 1), "a refused pass shows one message, a pass none",
            {typed});
    return 0;
}
