#include "chm_archive.h"
#include "help_file.h"
#include "html_page.h"
#include "popup_texts.h"
#include "property.h"
#include "sitemap.h"

#include <cstddef>
#include <cstdint>
#include <string>

// The help engine's reader on any bytes. Bytes that begin as a compiled help file does are
// opened as one, and everything the engine shows is read from it: every file of its directory,
// the pop-up texts, the contents, the index, every page and a search. Other bytes are read as
// the files inside one are: a page, a sitemap and a pop-up file. Properties: a file of the
// directory reads with exactly its listed length or not at all; pages, sitemaps and pop-up texts
// keep their shapes (below); nothing crashes, leaks or takes more memory than the file's size
// allows.
namespace {

using namespace help_engine;

constexpr unsigned popupNumbers[] = {0, 102, 1050, 11001, 11008};
constexpr unsigned codePages[] = {932, 65001, 1252};

void checkPage(const Page& page, std::string_view bytes) {
    for (const Block& block : page.blocks) {
        bool text = false;
        for (const Run& run : block.runs) {
            require(!run.text.empty(), "a run holds text", {bytes});
            for (char16_t c : run.text)
                text = text || (c != u' ' && c != u'\t' && c != u'\n');
        }
        require(text, "a block holds more than white space", {bytes});
        require(block.kind != BlockKind::heading || (block.level >= 1 && block.level <= 6),
                "a heading's level is 1 to 6", {bytes});
        require((block.kind == BlockKind::tableRow) == (block.table > 0),
                "table rows, and only they, belong to a table", {bytes});
    }
}

void checkSitemap(const std::vector<SitemapEntry>& entries, std::string_view bytes) {
    int level = -1;
    for (const SitemapEntry& entry : entries) {
        require(entry.level >= 0 && entry.level <= level + 1,
                "a sitemap entry is at most one level deeper than the one before", {bytes});
        require(!entry.name.empty(), "a sitemap entry has a name", {bytes});
        level = entry.level;
    }
}

void checkPopup(const std::optional<std::string>& text, std::string_view bytes) {
    if (!text)
        return;
    require(!text->empty() && text->front() != '\n' && text->back() != '\n' && text->back() != ' ',
            "a pop-up text has no blank line or space around it", {bytes, *text});
}

void readAsHelpFile(const std::string& bytes) {
    if (std::optional<ChmArchive> archive = ChmArchive::open(bytes)) {
        for (const auto& [name, entry] : archive->entries()) {
            const std::optional<std::string> file = archive->read(name);
            require(!file || file->size() == entry.length,
                    "a file reads with the length its directory gives", {name});
        }
    }
    std::optional<HelpFile> file = HelpFile::open(bytes);
    if (!file)
        return;
    for (unsigned number : popupNumbers)
        file->popupText("/cshelp.txt", number);
    checkSitemap(file->contents(), bytes);
    checkSitemap(file->index(), bytes);
    for (const SearchHit& hit : file->search(u"Kibrel \u9818\u57DF")) {
        const std::optional<Page> page = file->page(hit.path);
        require(page.has_value(), "a search hit is a page that reads", {hit.path});
        checkPage(*page, hit.path);
    }
}

void readAsFileInside(const std::string& bytes) {
    for (unsigned codePage : codePages) {
        checkPage(renderPage(bytes, codePage), bytes);
        checkSitemap(parseSitemap(bytes, codePage), bytes);
    }
    for (unsigned number : popupNumbers)
        checkPopup(popupTopicText(bytes, number), bytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    if (bytes.starts_with("ITSF"))
        readAsHelpFile(bytes);
    else
        readAsFileInside(bytes);
    return 0;
}
