#include "rename_engine.h"

#include <algorithm>

// Each step searches what remains behind the last replacement as a text of its own, so a
// replacement is never searched again; every step takes at least the matched bytes out of the
// rest, so the loop ends.
std::string RenameEngine::replaceAllMatches(const std::string& currentName) {
    std::string rest = currentName;
    std::string acc;
    while (true) {
        std::string piece = computeNewName(rest);
        if (piece == NoMatchResult) {
            acc += rest;
            break;
        }
        if (piece.empty())
            break;
        // Each piece was checked as a text of its own; behind what was built, its first byte
        // may become the second byte of a double-byte character and a byte behind it, such as
        // 5C, a character of its own. So the whole name is checked as it now stands.
        if (refusedForForbiddenCharacter(acc + piece))
            break;
        auto cut = std::min(static_cast<std::size_t>(lastMatchPos + lastMatchLen), piece.size());
        acc.append(piece, 0, cut);
        rest = piece.substr(cut);
        if (rest.empty())
            break;
    }
    return acc;
}
