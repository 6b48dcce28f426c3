#include "reference_matcher.h"

#include <functional>

namespace reference {

namespace {

using Kind = Pattern::Kind;

struct Decoded {
    std::uint32_t value;
    std::size_t length;
};

Decoded decode(const std::string& text, std::size_t at) {
    auto b = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char lead = b(at);
    bool isLead = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
    if (isLead && at + 1 < text.size()) {
        unsigned char trail = b(at + 1);
        if ((trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC))
            return {static_cast<std::uint32_t>(lead * 256 + trail), 2};
    }
    return {lead, 1};
}

std::string characterBytes(std::uint32_t value, const std::string& specials) {
    if (value > 0xFF)
        return {static_cast<char>(value >> 8), static_cast<char>(value & 0xFF)};
    if (value >= 0x80) {
        const char* hex = "0123456789ABCDEF";
        return {'\\', 'x', hex[value >> 4], hex[value & 0xF]};
    }
    std::string s;
    if (specials.find(static_cast<char>(value)) != std::string::npos)
        s += '\\';
    s += static_cast<char>(value);
    return s;
}

std::string atom(std::uint32_t value) {
    return characterBytes(value, "\\.[]()|*+?^$");
}

std::string member(std::uint32_t value) {
    return characterBytes(value, "\\]-^");
}

bool isAtom(const Pattern& p) {
    return p.kind == Kind::character || p.kind == Kind::any || p.kind == Kind::set ||
           p.kind == Kind::textStart || p.kind == Kind::textEnd;
}

class Matcher {
  public:
    Matcher(const std::string& text, long budget) : text_(text), budget_(budget) {}

    using Next = std::function<bool(std::size_t)>;

    bool match(const Pattern& p, std::size_t at, const Next& next) {
        if (--budget_ < 0)
            return false;
        switch (p.kind) {
        case Kind::character:
        case Kind::any:
        case Kind::set: {
            if (at >= text_.size())
                return false;
            Decoded c = decode(text_, at);
            return takes(p, c.value) && next(at + c.length);
        }
        case Kind::textStart:
            return at == 0 && next(at);
        case Kind::textEnd:
            return at == text_.size() && next(at);
        case Kind::sequence:
            return matchSequence(p, 0, at, next);
        case Kind::choice:
            for (const Pattern& child : p.children)
                if (match(child, at, next))
                    return true;
            return false;
        case Kind::star:
            return matchStar(p, at, next);
        case Kind::plus:
            return matchIteration(p, at, next);
        case Kind::optional:
            if (p.greedy)
                return match(p.children[0], at, next) || next(at);
            return next(at) || match(p.children[0], at, next);
        }
        return false;
    }

    bool exhausted() const { return budget_ < 0; }

  private:
    static bool takes(const Pattern& p, std::uint32_t value) {
        if (p.kind == Kind::any)
            return true;
        if (p.kind == Kind::character)
            return value == p.value;
        bool in = false;
        for (auto [low, high] : p.ranges)
            in = in || (value >= low && value <= high);
        return in != p.negated;
    }

    bool matchSequence(const Pattern& p, std::size_t i, std::size_t at, const Next& next) {
        if (i == p.children.size())
            return next(at);
        return match(p.children[i], at,
                     [&](std::size_t after) { return matchSequence(p, i + 1, after, next); });
    }

    // One iteration of p's body, then, when it consumed something, the rest of the repetition.
    bool matchIteration(const Pattern& p, std::size_t at, const Next& next) {
        return match(p.children[0], at, [&](std::size_t after) {
            return after == at ? next(after) : matchStar(p, after, next);
        });
    }

    bool matchStar(const Pattern& p, std::size_t at, const Next& next) {
        if (p.greedy)
            return matchIteration(p, at, next) || next(at);
        return next(at) || matchIteration(p, at, next);
    }

    const std::string& text_;
    long budget_;
};

} // namespace

std::string render(const Pattern& p) {
    switch (p.kind) {
    case Kind::character:
        return atom(p.value);
    case Kind::any:
        return ".";
    case Kind::set: {
        std::string s = p.negated ? "[^" : "[";
        for (auto [low, high] : p.ranges)
            s += low == high ? member(low) : member(low) + "-" + member(high);
        return s + "]";
    }
    case Kind::textStart:
        return "^";
    case Kind::textEnd:
        return "$";
    case Kind::sequence: {
        std::string s;
        for (const Pattern& child : p.children)
            s += child.kind == Kind::choice ? "(" + render(child) + ")" : render(child);
        return s;
    }
    case Kind::choice: {
        std::string s;
        for (std::size_t i = 0; i < p.children.size(); ++i)
            s += (i == 0 ? "" : "|") + render(p.children[i]);
        return s;
    }
    case Kind::star:
    case Kind::plus:
    case Kind::optional: {
        const Pattern& body = p.children[0];
        std::string s = isAtom(body) ? render(body) : "(" + render(body) + ")";
        s += p.kind == Kind::star ? "*" : p.kind == Kind::plus ? "+" : "?";
        return p.greedy ? s : s + "?";
    }
    }
    return {};
}

Outcome search(const Pattern& pattern, const std::string& text, int startOffset, long stepBudget) {
    std::size_t from = 0;
    while (from < static_cast<std::size_t>(startOffset))
        from += decode(text, from).length;
    Matcher matcher(text, stepBudget);
    for (std::size_t start = from;; start += decode(text, start).length) {
        std::size_t end = 0;
        if (matcher.match(pattern, start, [&](std::size_t after) {
                end = after;
                return true;
            }))
            return {true, static_cast<int>(start), static_cast<int>(end - start), false};
        if (matcher.exhausted())
            return {false, 0, 0, true};
        if (start >= text.size())
            return {};
    }
}

} // namespace reference
