#include "compile.h"

#include <utility>

namespace jre32 {

namespace {

using Op = Instruction::Op;

bool canMatchEmpty(const Node& node) {
    switch (node.kind) {
    case Node::Kind::character:
    case Node::Kind::any:
    case Node::Kind::set:
        return false;
    case Node::Kind::sequence:
        for (const Node& child : node.children)
            if (!canMatchEmpty(child))
                return false;
        return true;
    case Node::Kind::choice:
        for (const Node& child : node.children)
            if (canMatchEmpty(child))
                return true;
        return false;
    case Node::Kind::plus:
        return canMatchEmpty(node.children[0]);
    case Node::Kind::empty:
    case Node::Kind::textStart:
    case Node::Kind::textEnd:
    case Node::Kind::star:
    case Node::Kind::optional:
        return true;
    }
    return true;
}

// A node takes at most three instructions besides its children's (a tracked star: a split, an
// enter and a repeat; a choice: a split and a jump for each alternative but the last), and
// the program one more to match.
std::size_t nodeCount(const Node& node) {
    std::size_t count = 1;
    for (const Node& child : node.children)
        count += nodeCount(child);
    return count;
}

class Compiler {
  public:
    Compiler(bool reversed, std::vector<CharClass> sets) : reversed_(reversed) {
        program_.sets = std::move(sets);
    }

    Program finish(const Node& tree) {
        program_.code.reserve(3 * nodeCount(tree) + 1);
        emit(tree);
        add(Op::match);
        return std::move(program_);
    }

  private:
    int here() const { return static_cast<int>(program_.code.size()); }

    int add(Op op, std::uint32_t arg = 0, int next = -1) {
        int at = here();
        int following = next < 0 ? at + 1 : next;
        program_.code.push_back({op, arg, following, following, false, trackedDepth_});
        return at;
    }

    // Makes the split at `at` go on at `body` first when greedy, at `out` first when lazy.
    void setBranches(int at, int body, int out, bool greedy) {
        Instruction& split = program_.code[static_cast<std::size_t>(at)];
        split.next = greedy ? body : out;
        split.alternative = greedy ? out : body;
    }

    void emit(const Node& node) {
        switch (node.kind) {
        case Node::Kind::empty:
            break;
        case Node::Kind::character:
            add(Op::character, node.value);
            break;
        case Node::Kind::any:
            add(Op::any);
            break;
        case Node::Kind::set:
            add(Op::set, node.value);
            break;
        case Node::Kind::textStart:
            add(reversed_ ? Op::textEnd : Op::textStart);
            break;
        case Node::Kind::textEnd:
            add(reversed_ ? Op::textStart : Op::textEnd);
            break;
        case Node::Kind::sequence:
            if (reversed_)
                for (auto child = node.children.rbegin(); child != node.children.rend(); ++child)
                    emit(*child);
            else
                for (const Node& child : node.children)
                    emit(child);
            break;
        case Node::Kind::choice:
            emitChoice(node);
            break;
        case Node::Kind::star:
            emitStar(node.children[0], node.greedy);
            break;
        case Node::Kind::plus:
            emitPlus(node.children[0], node.greedy);
            break;
        case Node::Kind::optional: {
            int entry = add(Op::split);
            emit(node.children[0]);
            setBranches(entry, entry + 1, here(), node.greedy);
            break;
        }
        }
    }

    // The reversed program only says which texts match, so it needs no tracked forms.
    bool tracked(const Node& body) const { return !reversed_ && canMatchEmpty(body); }

    void emitStar(const Node& body, bool greedy) {
        if (tracked(body)) {
            int entry = add(Op::split);
            emitTrackedPlus(body, greedy);
            setBranches(entry, entry + 1, here(), greedy);
            return;
        }
        int loop = add(Op::split);
        emit(body);
        add(Op::jump, 0, loop);
        setBranches(loop, loop + 1, here(), greedy);
    }

    void emitPlus(const Node& body, bool greedy) {
        if (tracked(body)) {
            emitTrackedPlus(body, greedy);
            return;
        }
        int start = here();
        emit(body);
        int loop = add(Op::split);
        setBranches(loop, start, loop + 1, greedy);
    }

    void emitTrackedPlus(const Node& body, bool greedy) {
        auto depth = static_cast<std::uint32_t>(trackedDepth_);
        ++trackedDepth_;
        add(Op::enter, depth);
        int start = here();
        emit(body);
        int loop = add(Op::repeat, depth);
        --trackedDepth_;
        Instruction& repeat = program_.code[static_cast<std::size_t>(loop)];
        repeat.next = start;
        repeat.alternative = loop + 1;
        repeat.lazy = !greedy;
    }

    // split L1, N1; L1: first; jump end; N1: split L2, N2; ... last; end:
    void emitChoice(const Node& node) {
        std::vector<int> jumps;
        for (std::size_t i = 0; i + 1 < node.children.size(); ++i) {
            int split = add(Op::split);
            emit(node.children[i]);
            jumps.push_back(add(Op::jump));
            setBranches(split, split + 1, here(), true);
        }
        emit(node.children.back());
        for (int jump : jumps)
            program_.code[static_cast<std::size_t>(jump)].next = here();
    }

    bool reversed_;
    Program program_;
    int trackedDepth_ = 0;
};

} // namespace

Program compile(const Node& tree, std::vector<CharClass> sets) {
    return Compiler(false, std::move(sets)).finish(tree);
}

Program compileReversed(const Node& tree, std::vector<CharClass> sets) {
    return Compiler(true, std::move(sets)).finish(tree);
}

} // namespace jre32
