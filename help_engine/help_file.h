#pragma once

#include "chm_archive.h"
#include "html_page.h"
#include "sitemap.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace help_engine {

// What the engine's file argument names: "<path>[::/<file inside>][><window>]", as in
// "C:\kibrel\kibrel.chm::/cshelp.txt".
struct HelpFileName {
    std::string path;
    // "/cshelp.txt"; empty when the argument names none.
    std::string inner;
    std::string window;
};
HelpFileName splitHelpFileName(std::string_view argument);

// A place in the help file: a file of its directory ("/search.html") and a name in it.
struct Location {
    std::string path;
    std::string anchor;
};

// A character as the index and the search compare it: the full-width forms of ASCII as ASCII,
// capital letters as small ones.
char16_t folded(char16_t c);

struct SearchHit {
    std::string path;
    std::u16string title;
    // How often the words of the query stand in the page.
    std::size_t count = 0;
};

// A compiled help file as the engine shows it: its title, the pop-up texts, the contents, the
// index, its pages as text and a search over them. Each is read when it is first asked for, so
// a pop-up reads no sitemap. Reads are checked: damaged parts give nothing, never more memory
// than the file's size allows (see ChmArchive). Tested by
// tests/unit/help_engine/help_file_test.cpp, fuzzed by fuzz/help_file_fuzzer.cpp.
class HelpFile {
  public:
    // Nothing when the bytes are no compiled help file or its directory is damaged.
    static std::optional<HelpFile> open(std::string bytes);

    // The code page of its contents, index, pop-up texts and of pages that declare none.
    unsigned codePage() const { return codePage_; }
    const std::u16string& title() const { return title_; }
    // The entries of the contents and of the index, each leading to a path of the file
    // ("/search.html#regions"), or out of it, or nowhere (a book of the contents).
    const std::vector<SitemapEntry>& contents();
    const std::vector<SitemapEntry>& index();
    // The page the file opens with.
    const Location& defaultTopic();

    // Topic `number` of the text pop-up file `textFile` ("/cshelp.txt"); nothing when the
    // file lacks it or cannot be read.
    std::optional<std::u16string> popupText(std::string_view textFile, unsigned number);
    // The page at `path`; nothing when it cannot be read.
    std::optional<Page> page(std::string_view path);
    // Where a link (or a Local of the contents or the index) leads from the page `from`;
    // nothing when it leads out of the file ("http:", "mailto:").
    std::optional<Location> resolve(std::string_view from, std::string_view href) const;
    // The pages that hold every word of `query` (separated by spaces), most hits first, then in
    // the order of the contents. Letters compare without regard to case or to full and half
    // width.
    std::vector<SearchHit> search(std::u16string_view query);

  private:
    explicit HelpFile(ChmArchive archive) : archive_(std::move(archive)) {}
    void readSystem();
    void readSitemaps();
    std::vector<std::string> pagePaths() const;

    ChmArchive archive_;
    unsigned codePage_ = 0;
    std::u16string title_;
    std::string contentsFile_;
    std::string indexFile_;
    std::vector<SitemapEntry> contents_;
    std::vector<SitemapEntry> index_;
    Location defaultTopic_;
    bool sitemapsRead_ = false;
    struct SearchablePage {
        std::string path;
        std::u16string title;
        std::u16string folded;
    };
    std::optional<std::vector<SearchablePage>> searchable_;
};

} // namespace help_engine
