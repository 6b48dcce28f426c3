#include "parse.h"

#include <utility>

namespace jre32 {

namespace {

// What an escape stands for: one character or a class of them.
struct Escaped {
    bool isClass = false;
    std::uint32_t value = 0;
    CharClass set;
};

int hexDigit(Character c) {
    if (c.length != 1)
        return -1;
    if (c.value >= '0' && c.value <= '9')
        return static_cast<int>(c.value - '0');
    if (c.value >= 'a' && c.value <= 'f')
        return static_cast<int>(c.value - 'a' + 10);
    if (c.value >= 'A' && c.value <= 'F')
        return static_cast<int>(c.value - 'A' + 10);
    return -1;
}

bool isRepetition(Character c) {
    return c.length == 1 && (c.value == '*' || c.value == '+' || c.value == '?');
}

// A recursive-descent parser over the pattern's characters:
//   choice   := sequence ('|' sequence)*
//   sequence := (atom repetition?)*
//   atom     := '(' choice ')' | '[' bracket ']' | '.' | '^' | '$' | '\' escape | character
class Parser {
  public:
    Parser(const unsigned char* pattern, std::size_t size, const Encoding& encoding,
           std::vector<CharClass>& sets)
        : pattern_(pattern), size_(size), encoding_(encoding), sets_(sets) {}

    bool parsePattern(Node& tree) {
        if (!parseChoice(tree))
            return false;
        if (!atEnd())
            return fail(Result::unbalancedParenthesis, pos_);
        return true;
    }

    ParseError error() const { return error_; }

  private:
    bool atEnd() const { return pos_ >= size_; }
    Character peekAt(std::size_t at) const { return encoding_.at(pattern_, size_, at); }
    Character peek() const { return peekAt(pos_); }
    static bool isSyntax(Character c, char syntax) {
        return c.length == 1 && c.value == static_cast<unsigned char>(syntax);
    }
    bool peekIs(char syntax) const { return !atEnd() && isSyntax(peek(), syntax); }
    bool fail(Result result, std::size_t at) {
        error_ = {result, static_cast<std::int32_t>(at)};
        return false;
    }

    bool parseChoice(Node& out) {
        if (!parseSequence(out))
            return false;
        if (!peekIs('|'))
            return true;
        Node choice;
        choice.kind = Node::Kind::choice;
        choice.children.push_back(std::move(out));
        while (peekIs('|')) {
            ++pos_;
            Node sequence;
            if (!parseSequence(sequence))
                return false;
            choice.children.push_back(std::move(sequence));
        }
        out = std::move(choice);
        return true;
    }

    bool parseSequence(Node& out) {
        Node sequence;
        sequence.kind = Node::Kind::sequence;
        while (!atEnd() && !peekIs('|') && !peekIs(')')) {
            if (isRepetition(peek()))
                return fail(Result::nothingToRepeat, pos_);
            Node atom;
            if (!parseAtom(atom) || !parseRepetition(atom))
                return false;
            sequence.children.push_back(std::move(atom));
        }
        if (sequence.children.empty())
            out = Node{};
        else if (sequence.children.size() == 1)
            out = std::move(sequence.children[0]);
        else
            out = std::move(sequence);
        return true;
    }

    bool parseRepetition(Node& atom) {
        if (atEnd() || !isRepetition(peek()))
            return true;
        Node repeated;
        std::uint32_t op = peek().value;
        repeated.kind = op == '*'   ? Node::Kind::star
                        : op == '+' ? Node::Kind::plus
                                    : Node::Kind::optional;
        ++pos_;
        if (peekIs('?')) {
            repeated.greedy = false;
            ++pos_;
        }
        if (!atEnd() && isRepetition(peek()))
            return fail(Result::repetitionAfterRepetition, pos_);
        repeated.children.push_back(std::move(atom));
        atom = std::move(repeated);
        return true;
    }

    bool parseAtom(Node& atom) {
        Character c = peek();
        if (c.length == 1) {
            switch (c.value) {
            case '(':
                return parseGroup(atom);
            case '[':
                return parseBracket(atom);
            case '\\':
                return parseEscapeAtom(atom);
            case '.':
                atom.kind = Node::Kind::any;
                ++pos_;
                return true;
            case '^':
                atom.kind = Node::Kind::textStart;
                ++pos_;
                return true;
            case '$':
                atom.kind = Node::Kind::textEnd;
                ++pos_;
                return true;
            default:
                break;
            }
        }
        atom.kind = Node::Kind::character;
        atom.value = c.value;
        pos_ += static_cast<std::size_t>(c.length);
        return true;
    }

    bool parseGroup(Node& atom) {
        std::size_t open = pos_;
        if (++depth_ > maxNesting)
            return fail(Result::nestedTooDeeply, open);
        ++pos_;
        if (!parseChoice(atom))
            return false;
        if (!peekIs(')'))
            return fail(Result::unbalancedParenthesis, open);
        ++pos_;
        --depth_;
        return true;
    }

    bool parseEscapeAtom(Node& atom) {
        Escaped escaped;
        if (!parseEscape(escaped))
            return false;
        if (escaped.isClass) {
            setAtom(atom, std::move(escaped.set));
        } else {
            atom.kind = Node::Kind::character;
            atom.value = escaped.value;
        }
        return true;
    }

    // pos_ is at the backslash; leaves it behind the escape.
    bool parseEscape(Escaped& escaped) {
        std::size_t start = pos_;
        ++pos_;
        if (atEnd())
            return fail(Result::trailingBackslash, start);
        Character c = peek();
        pos_ += static_cast<std::size_t>(c.length);
        escaped.value = c.value;
        if (c.length != 1)
            return true;
        switch (c.value) {
        case 't':
            escaped.value = '\t';
            break;
        case 'n':
            escaped.value = '\n';
            break;
        case 'r':
            escaped.value = '\r';
            break;
        case 'f':
            escaped.value = '\f';
            break;
        case 'v':
            escaped.value = '\v';
            break;
        case 'x':
            return parseHex(escaped, start);
        case 'd':
        case 'D':
        case 'w':
        case 'W':
        case 's':
        case 'S': {
            std::uint32_t lower = c.value | 0x20u;
            escaped.isClass = true;
            escaped.set = lower == 'd'   ? CharClass::digits()
                          : lower == 'w' ? CharClass::wordCharacters()
                                         : CharClass::whiteSpace();
            escaped.set.normalize();
            if (c.value != lower)
                escaped.set = escaped.set.complement();
            break;
        }
        default:
            break;
        }
        return true;
    }

    bool parseHex(Escaped& escaped, std::size_t start) {
        std::uint32_t value = 0;
        for (int i = 0; i < 2; ++i) {
            int digit = atEnd() ? -1 : hexDigit(peek());
            if (digit < 0)
                return fail(Result::badHexEscape, start);
            value = value * 16 + static_cast<std::uint32_t>(digit);
            ++pos_;
        }
        if (value == 0)
            return fail(Result::nulCharacter, start);
        escaped.value = value;
        return true;
    }

    // One member of a bracket expression: a character or a class escape.
    bool parseBracketItem(Escaped& item) {
        Character c = peek();
        if (isSyntax(c, '\\'))
            return parseEscape(item);
        item.value = c.value;
        pos_ += static_cast<std::size_t>(c.length);
        return true;
    }

    bool parseBracket(Node& atom) {
        std::size_t open = pos_;
        ++pos_;
        bool negated = peekIs('^');
        if (negated)
            ++pos_;
        CharClass set;
        for (bool first = true;; first = false) {
            if (atEnd())
                return fail(Result::unterminatedBracket, open);
            if (!first && peekIs(']'))
                break;
            std::size_t itemStart = pos_;
            Escaped low;
            if (!parseBracketItem(low))
                return false;
            if (low.isClass) {
                set.add(low.set);
                continue;
            }
            if (!peekIs('-') || pos_ + 1 >= size_ || isSyntax(peekAt(pos_ + 1), ']')) {
                set.add(low.value, low.value);
                continue;
            }
            ++pos_;
            Escaped high;
            if (!parseBracketItem(high))
                return false;
            if (high.isClass) {
                set.add(low.value, low.value);
                set.add('-', '-');
                set.add(high.set);
            } else if (high.value < low.value) {
                return fail(Result::reversedRange, itemStart);
            } else {
                set.add(low.value, high.value);
            }
        }
        ++pos_;
        set.normalize();
        setAtom(atom, negated ? set.complement() : std::move(set));
        return true;
    }

    void setAtom(Node& atom, CharClass set) {
        atom.kind = Node::Kind::set;
        atom.value = static_cast<std::uint32_t>(sets_.size());
        sets_.push_back(std::move(set));
    }

    const unsigned char* pattern_;
    std::size_t size_;
    const Encoding& encoding_;
    std::vector<CharClass>& sets_;
    std::size_t pos_ = 0;
    int depth_ = 0;
    ParseError error_{Result::ok, 0};
};

} // namespace

bool parse(const unsigned char* pattern, std::size_t size, const Encoding& encoding,
           ParsedPattern& parsed, ParseError& error) {
    Parser parser(pattern, size, encoding, parsed.sets);
    if (parser.parsePattern(parsed.tree))
        return true;
    error = parser.error();
    return false;
}

} // namespace jre32
