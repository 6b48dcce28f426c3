#include "compile.h"

namespace jre32 {

namespace {

using Op = Instruction::Op;

class Compiler {
  public:
    Program finish(const Node& tree) {
        emit(tree);
        add(Op::match);
        return std::move(program_);
    }

  private:
    int here() const { return static_cast<int>(program_.code.size()); }

    int add(Op op, std::uint32_t arg = 0) {
        int at = here();
        program_.code.push_back({op, arg, at + 1, at + 1});
        return at;
    }

    // Makes the split at `at` go on at `body` first when greedy, at `out` first when lazy.
    void setSplit(int at, int body, int out, bool greedy) {
        program_.code[at].next = greedy ? body : out;
        program_.code[at].alternative = greedy ? out : body;
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
            add(Op::set, static_cast<std::uint32_t>(program_.sets.size()));
            program_.sets.push_back(node.set);
            break;
        case Node::Kind::textStart:
            add(Op::textStart);
            break;
        case Node::Kind::textEnd:
            add(Op::textEnd);
            break;
        case Node::Kind::sequence:
            for (const Node& child : node.children)
                emit(child);
            break;
        case Node::Kind::choice:
            emitChoice(node);
            break;
        case Node::Kind::star:
        case Node::Kind::optional: {
            int entry = add(Op::split);
            if (node.kind == Node::Kind::star)
                emitPlus(node.children[0], node.greedy);
            else
                emit(node.children[0]);
            setSplit(entry, entry + 1, here(), node.greedy);
            break;
        }
        case Node::Kind::plus:
            emitPlus(node.children[0], node.greedy);
            break;
        }
    }

    void emitPlus(const Node& body, bool greedy) {
        int start = here();
        emit(body);
        int loop = add(Op::split);
        setSplit(loop, start, loop + 1, greedy);
    }

    // split L1, N1; L1: first; jump end; N1: split L2, N2; ... last; end:
    void emitChoice(const Node& node) {
        std::vector<int> jumps;
        for (std::size_t i = 0; i + 1 < node.children.size(); ++i) {
            int split = add(Op::split);
            emit(node.children[i]);
            jumps.push_back(add(Op::jump));
            setSplit(split, split + 1, here(), true);
        }
        emit(node.children.back());
        for (int jump : jumps)
            program_.code[jump].next = here();
    }

    Program program_;
};

} // namespace

Program compile(const Node& tree) {
    return Compiler().finish(tree);
}

} // namespace jre32
