#include "fuzz_input.h"
#include "jre_session.h"
#include "library_text.h"
#include "property.h"
#include "search_paths.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Matches any compiled pattern against any text from any start offset. Input: the code-page
// byte, one byte that picks the start offset (0 to one beyond the text's end), then the pattern
// and the text. Properties: a match lies inside the text, at or behind the start offset's
// character boundary, and begins and ends on character boundaries of the code page; no match
// reads 0 and 0; searching again, or from the match's own position, finds the same match;
// when the pattern holds no "$", the text behind the match changes nothing; the matched
// text matches the pattern anchored at both ends as a whole; and each search path alone (the
// Pike VM, the DFAs with the library's cache and with a tiny one, unless they give up) finds
// what the entry point finds.
namespace {

void checkSearchPaths(const std::string& pattern, const std::string& text, std::size_t start,
                      unsigned codePage, const Found& found) {
    const auto cp = static_cast<int>(codePage);
    SearchPaths paths(pattern, cp, jre32::CompiledPattern::defaultCacheBytes);
    SearchPaths tiny(pattern, cp, tinyCache);
    require(paths.compiled() && tiny.compiled(), "the library compiles what Jre2Compile accepts",
            {pattern});
    const std::size_t from = paths.boundary(text, start);
    require(paths.pike(text, from) == found, "the Pike VM alone finds what the entry point finds",
            {pattern, text});
    for (SearchPaths* dfa : {&paths, &tiny}) {
        bool gaveUp = false;
        const Found answer = dfa->dfa(text, from, gaveUp);
        require(gaveUp || answer == found, "the DFAs alone find what the Pike VM finds",
                {pattern, text});
    }
    require(tiny.search(text, from) == found, "a search with a tiny DFA cache finds the same",
            {pattern, text});
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const FuzzInput input = readFuzzInput(data, size, 1, 2);
    const std::string& pattern = input.fields[0];
    const std::string& text = input.fields[1];
    const unsigned cp = input.codePage;
    const std::string codePage = std::to_string(cp);

    JreSession session(codePage.c_str());
    if (session.compile(pattern) == 0)
        return 0;
    const int start = input.options[0] % static_cast<int>(text.size() + 2);
    const Found found = session.search(text, start);
    if (static_cast<std::size_t>(start) <= text.size())
        checkSearchPaths(pattern, text, static_cast<std::size_t>(start), cp, found);
    if (static_cast<std::size_t>(start) > text.size()) {
        require(!found.found && found.position == 0 && found.length == 0,
                "a start offset beyond the text finds nothing", {pattern, text});
        return 0;
    }
    if (!found.found) {
        require(found.position == 0 && found.length == 0, "no match reads 0 and 0",
                {pattern, text});
        require(!session.search(text, static_cast<int>(text.size())).found,
                "no match from the start means none from the end", {pattern, text});
        return 0;
    }

    const auto position = static_cast<std::size_t>(found.position);
    const auto end = position + static_cast<std::size_t>(found.length);
    require(found.position >= 0 && found.length >= 0 && end <= text.size(),
            "a match lies inside the text", {pattern, text});
    require(position >= libraryBoundaryFrom(text, static_cast<std::size_t>(start), cp),
            "a match begins at or behind the start offset", {pattern, text});
    require(onLibraryBoundary(text, position, cp) && onLibraryBoundary(text, end, cp),
            "a match never splits a character", {pattern, text});
    require(session.search(text, start) == found, "searching again finds the same match",
            {pattern, text});
    require(session.search(text, found.position) == found,
            "searching from the match's position finds it again", {pattern, text});

    if (pattern.find('$') == std::string::npos)
        require(session.search(text.substr(0, end), start) == found,
                "the text behind a match changes nothing", {pattern, text});

    JreSession anchored(codePage.c_str());
    if (anchored.compile("^(" + pattern + ")$") != 0) {
        const Found whole = anchored.search(text.substr(position, end - position));
        require(whole.found && whole.position == 0 && whole.length == found.length,
                "the matched text matches the anchored pattern as a whole", {pattern, text});
    }
    return 0;
}
