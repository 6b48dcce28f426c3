#include "rename_engine.h"

#include <algorithm>
#include <utility>

// Each step searches what remains behind the last replacement as a text of its own, so a
// replacement is never searched again; every step takes at least the matched bytes out of the
// rest, so the loop ends.
RowName RenameEngine::replaceAllMatches(std::string currentName) {
    std::string rest = std::move(currentName);
    std::string acc;
    bool matched = false;
    while (true) {
        NameStep step = replaceFirstMatch(std::move(rest));
        switch (step.kind) {
        case NameStep::Kind::noMatch:
            if (acc.empty())
                return {std::move(step.name), RowName::Kind::named, matched};
            return {std::move(acc += step.name), RowName::Kind::named, matched};
        case NameStep::Kind::libraryFailed:
            return {std::move(acc += step.name), RowName::Kind::libraryFailed, matched};
        case NameStep::Kind::refused:
            return {{}, RowName::Kind::refused, true};
        case NameStep::Kind::replaced:
            matched = true;
            break;
        }
        std::string& piece = step.name;
        // The match took the whole remainder and nothing was put in its place.
        if (piece.empty())
            return {std::move(acc), RowName::Kind::named, true};
        // Each piece was checked as a text of its own; behind what was built, its first byte
        // may become the second byte of a double-byte character and a byte behind it, such as
        // 5C, a character of its own. So the whole name is checked as it now stands.
        if (!acc.empty()) {
            whole_.assign(acc);
            whole_ += piece;
            if (refusedForForbiddenCharacter(whole_))
                return {{}, RowName::Kind::refused, true};
        }
        auto cut = std::min(static_cast<std::size_t>(lastMatchPos + lastMatchLen), piece.size());
        acc.append(piece, 0, cut);
        if (cut == piece.size())
            return {std::move(acc), RowName::Kind::named, true};
        piece.erase(0, cut);
        rest = std::move(piece);
    }
}
