#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace help_engine {

// A page of the help file as readable text: blocks of runs, each run with its style and, for
// a link, its target as the page writes it.
struct Run {
    enum Style : unsigned { plain = 0, bold = 1, italic = 2, code = 4 };
    std::u16string text;
    unsigned style = plain;
    std::string link;
};

enum class BlockKind { paragraph, heading, listItem, preformatted, tableRow };

struct Block {
    BlockKind kind = BlockKind::paragraph;
    // A heading's level (1 to 6); for other blocks how deep they are indented (lists,
    // quotations, definitions).
    int level = 0;
    // A list item's bullet or number ("•", "3.").
    std::u16string marker;
    // Of a table row: which table of the page it belongs to, from 1. Its cells are separated by
    // runs that hold one tab; a tab stands for nothing else in a block that is not
    // preformatted.
    int table = 0;
    // The text of a preformatted block keeps its line feeds; other blocks hold a line feed
    // only where the page breaks a line.
    std::vector<Run> runs;
    // The names of the places in the page (id and name attributes) that begin at this block.
    std::vector<std::string> anchors;
};

struct Page {
    std::u16string title;
    std::vector<Block> blocks;
};

// The text of an HTML page: headings, paragraphs, lists, tables, preformatted examples,
// bold, italic and code runs, links and anchors; white space collapsed outside preformatted
// text, and the head, scripts and styles left out. Text is decoded from the code page the
// page declares, else from `codePage`. Tested by tests/unit/help_engine/html_page_test.cpp.
Page renderPage(std::string_view html, unsigned codePage);

// The page's words for searching: its title and its blocks, a line each.
std::u16string plainText(const Page& page);

} // namespace help_engine
