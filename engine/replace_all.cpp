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
        auto cut = std::min(static_cast<std::size_t>(lastMatchPos + lastMatchLen), piece.size());
        acc.append(piece, 0, cut);
        rest = piece.substr(cut);
        if (rest.empty())
            break;
    }
    return acc;
}
