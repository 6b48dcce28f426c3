#include "rename_engine.h"

#include <algorithm>

// Each step searches what remains behind the last replacement as a text of its own, so a
// replacement is never searched again; every step takes at least the matched bytes out of the
// rest, so the loop ends.
RowName RenameEngine::replaceAllMatches(const std::string& currentName) {
    std::string rest = currentName;
    std::string acc;
    while (true) {
        NameStep step = replaceFirstMatch(std::move(rest));
        switch (step.kind) {
        case NameStep::Kind::noMatch:
            return {acc.empty() ? std::move(step.name) : acc + step.name, RowName::Kind::named};
        case NameStep::Kind::libraryFailed:
            return {acc + step.name, RowName::Kind::libraryFailed};
        case NameStep::Kind::refused:
            return {{}, RowName::Kind::refused};
        case NameStep::Kind::replaced:
            break;
        }
        std::string& piece = step.name;
        // The match took the whole remainder and nothing was put in its place.
        if (piece.empty())
            return {acc, RowName::Kind::named};
        // Each piece was checked as a text of its own; behind what was built, its first byte
        // may become the second byte of a double-byte character and a byte behind it, such as
        // 5C, a character of its own. So the whole name is checked as it now stands.
        whole_.assign(acc);
        whole_ += piece;
        if (refusedForForbiddenCharacter(whole_))
            return {{}, RowName::Kind::refused};
        auto cut = std::min(static_cast<std::size_t>(lastMatchPos + lastMatchLen), piece.size());
        acc.append(piece, 0, cut);
        if (cut == piece.size())
            return {acc, RowName::Kind::named};
        piece.erase(0, cut);
        rest = std::move(piece);
    }
}
