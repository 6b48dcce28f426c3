#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace help_engine {

// One entry of the contents (.hhc) or the index (.hhk): its name and the file it leads to, as
// the sitemap writes it ("search.html#regions"), empty for a book of the contents that is
// only a heading. `level` is its depth in the tree: 0 for the top, and never more than one
// deeper than the entry before it.
struct SitemapEntry {
    int level = 0;
    std::u16string name;
    std::string local;
};

// The entries of a sitemap file in order: each text/sitemap object with its first Name and
// Local parameter, at the depth of the lists (UL) around it. Text is decoded from the code
// page the file declares, else from `codePage`. Tested by
// tests/unit/help_engine/html_page_test.cpp.
std::vector<SitemapEntry> parseSitemap(std::string_view text, unsigned codePage);

} // namespace help_engine
