#include "help_file.h"

#include "code_page.h"
#include "popup_texts.h"

#include <algorithm>
#include <set>

namespace help_engine {

namespace {

enum SystemRecord : std::uint16_t {
    contentsRecord = 0,
    indexRecord = 1,
    defaultTopicRecord = 2,
    titleRecord = 3,
    languageRecord = 4,
};

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool endsWithNoCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           std::equal(suffix.begin(), suffix.end(),
                      text.end() - static_cast<std::ptrdiff_t>(suffix.size()),
                      [](char a, char b) { return a == lower(b); });
}

bool isPage(std::string_view path) {
    return !path.starts_with("/#") && !path.starts_with("/$") && !path.starts_with("::") &&
           (endsWithNoCase(path, ".html") || endsWithNoCase(path, ".htm"));
}

std::string_view cString(std::string_view data) {
    return data.substr(0, data.find('\0'));
}

// A URL scheme ("http:", "mailto:") before the first slash.
bool hasScheme(std::string_view href) {
    const std::size_t colon = href.find(':');
    if (colon == std::string_view::npos || colon == 0 ||
        href.substr(0, colon).find('/') != std::string_view::npos)
        return false;
    return std::all_of(href.begin(), href.begin() + static_cast<std::ptrdiff_t>(colon), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '+' || c == '-' || c == '.';
    });
}

int hexValue(char c) {
    c = lower(c);
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::string percentDecoded(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
            hexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// "/a/./b/../c.html" as "/a/c.html".
std::string normalisedPath(std::string_view path) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0; start <= path.size();) {
        std::size_t end = path.find('/', start);
        if (end == std::string_view::npos)
            end = path.size();
        const std::string_view part = path.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string out;
    for (std::string_view part : parts)
        (out += '/') += part;
    return out.empty() ? "/" : out;
}

std::u16string foldedText(std::u16string_view text) {
    std::u16string out(text);
    std::transform(out.begin(), out.end(), out.begin(), folded);
    return out;
}

bool isWordBreak(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\u3000';
}

std::size_t occurrences(std::u16string_view text, std::u16string_view word) {
    std::size_t count = 0;
    for (std::size_t at = text.find(word); at != std::u16string_view::npos;
         at = text.find(word, at + word.size()))
        ++count;
    return count;
}

} // namespace

char16_t folded(char16_t c) {
    if (c >= u'\uFF01' && c <= u'\uFF5E')
        c = static_cast<char16_t>(c - 0xFEE0);
    if (c >= u'A' && c <= u'Z')
        c = static_cast<char16_t>(c - u'A' + u'a');
    return c;
}

HelpFileName splitHelpFileName(std::string_view argument) {
    HelpFileName name;
    if (const std::size_t window = argument.find('>'); window != std::string_view::npos) {
        name.window = argument.substr(window + 1);
        argument = argument.substr(0, window);
    }
    if (const std::size_t inner = argument.find("::"); inner != std::string_view::npos) {
        name.inner = argument.substr(inner + 2);
        argument = argument.substr(0, inner);
        if (!name.inner.empty() && name.inner.front() != '/')
            name.inner.insert(name.inner.begin(), '/');
    }
    name.path = argument;
    return name;
}

std::optional<HelpFile> HelpFile::open(std::string bytes) {
    std::optional<ChmArchive> archive = ChmArchive::open(std::move(bytes));
    if (!archive)
        return std::nullopt;
    HelpFile file(std::move(*archive));
    file.readSystem();
    return file;
}

const std::vector<SitemapEntry>& HelpFile::contents() {
    readSitemaps();
    return contents_;
}

const std::vector<SitemapEntry>& HelpFile::index() {
    readSitemaps();
    return index_;
}

const Location& HelpFile::defaultTopic() {
    readSitemaps();
    return defaultTopic_;
}

void HelpFile::readSystem() {
    codePage_ = codePageForLanguage(archive_.languageId());
    const std::optional<std::string> system = archive_.read("/#SYSTEM");
    if (!system)
        return;
    std::string_view title;
    std::string_view defaultTopic;
    const std::string_view data = *system;
    for (std::size_t pos = 4; pos + 4 <= data.size();) {
        const auto code = static_cast<std::uint16_t>(static_cast<std::uint8_t>(data[pos]) |
                                                     static_cast<std::uint8_t>(data[pos + 1]) << 8);
        const std::size_t length = static_cast<std::uint8_t>(data[pos + 2]) |
                                   static_cast<std::uint8_t>(data[pos + 3]) << 8;
        const std::string_view record = data.substr(pos + 4, length);
        pos += 4 + length;
        if (code == contentsRecord)
            contentsFile_ = resolve("/", cString(record)).value_or(Location{}).path;
        else if (code == indexRecord)
            indexFile_ = resolve("/", cString(record)).value_or(Location{}).path;
        else if (code == defaultTopicRecord)
            defaultTopic = cString(record);
        else if (code == titleRecord)
            title = cString(record);
        else if (code == languageRecord && record.size() >= 4)
            codePage_ = codePageForLanguage(static_cast<std::uint8_t>(record[0]) |
                                            static_cast<std::uint8_t>(record[1]) << 8);
    }
    title_ = decodeText(title, codePage_);
    if (!defaultTopic.empty())
        defaultTopic_ = resolve("/", defaultTopic).value_or(Location{});
}

void HelpFile::readSitemaps() {
    if (sitemapsRead_)
        return;
    sitemapsRead_ = true;
    for (const auto& [name, entry] : archive_.entries()) {
        if (contentsFile_.empty() && endsWithNoCase(name, ".hhc"))
            contentsFile_ = name;
        if (indexFile_.empty() && endsWithNoCase(name, ".hhk"))
            indexFile_ = name;
    }
    // Their targets, relative to the sitemap files, become paths of the help file.
    for (auto [file, entries] :
         {std::pair{&contentsFile_, &contents_}, std::pair{&indexFile_, &index_}}) {
        if (const std::optional<std::string> text = archive_.read(*file))
            *entries = parseSitemap(*text, codePage_);
        for (SitemapEntry& entry : *entries) {
            const std::optional<Location> target = resolve(*file, entry.local);
            if (target && !entry.local.empty())
                entry.local = target->path + (target->anchor.empty() ? "" : "#" + target->anchor);
        }
    }
    if (!defaultTopic_.path.empty())
        return;
    for (const SitemapEntry& entry : contents_) {
        if (const std::optional<Location> target = resolve("/", entry.local);
            target && !entry.local.empty()) {
            defaultTopic_ = *target;
            return;
        }
    }
    if (const std::vector<std::string> pages = pagePaths(); !pages.empty())
        defaultTopic_.path = pages.front();
}

std::optional<std::u16string> HelpFile::popupText(std::string_view textFile, unsigned number) {
    const std::optional<std::string> file = archive_.read(textFile);
    if (!file)
        return std::nullopt;
    const std::optional<std::string> text = popupTopicText(*file, number);
    if (!text)
        return std::nullopt;
    return decodeText(*text, codePage_);
}

std::optional<Page> HelpFile::page(std::string_view path) {
    const std::optional<std::string> html = archive_.read(path);
    if (!html)
        return std::nullopt;
    return renderPage(*html, codePage_);
}

std::optional<Location> HelpFile::resolve(std::string_view from, std::string_view href) const {
    Location location;
    if (const std::size_t hash = href.find('#'); hash != std::string_view::npos) {
        location.anchor = href.substr(hash + 1);
        href = href.substr(0, hash);
    }
    std::string path;
    if (const std::size_t inner = href.find("::"); inner != std::string_view::npos)
        path = "/" + percentDecoded(href.substr(inner + 2));
    else if (hasScheme(href))
        return std::nullopt;
    else
        path = percentDecoded(href);
    if (path.empty()) {
        location.path = from;
        return location;
    }
    if (path.front() != '/')
        path = std::string(from.substr(0, from.rfind('/') + 1)) + path;
    location.path = normalisedPath(path);
    if (std::any_of(location.path.begin(), location.path.end(),
                    [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
        location.path = utf8FromUtf16(decodeText(location.path, codePage_));
    return location;
}

std::vector<std::string> HelpFile::pagePaths() const {
    std::vector<std::string> paths;
    std::set<std::string, NameLess> listed;
    const auto add = [&](const std::string& path) {
        if (isPage(path) && archive_.entries().contains(path) && listed.insert(path).second)
            paths.push_back(path);
    };
    for (const SitemapEntry& entry : contents_) {
        if (const std::optional<Location> target = resolve("/", entry.local))
            add(target->path);
    }
    for (const auto& [name, entry] : archive_.entries())
        add(name);
    return paths;
}

std::vector<SearchHit> HelpFile::search(std::u16string_view query) {
    std::vector<std::u16string> words;
    for (std::size_t start = 0; start < query.size();) {
        std::size_t end = start;
        while (end < query.size() && !isWordBreak(query[end]))
            ++end;
        if (end > start)
            words.push_back(foldedText(query.substr(start, end - start)));
        start = end + 1;
    }
    if (words.empty())
        return {};
    if (!searchable_) {
        readSitemaps();
        searchable_.emplace();
        for (const std::string& path : pagePaths()) {
            if (std::optional<Page> found = page(path)) {
                std::u16string title =
                    found->title.empty() ? decodeText(path, 65001) : found->title;
                searchable_->push_back({path, std::move(title), foldedText(plainText(*found))});
            }
        }
    }
    std::vector<SearchHit> hits;
    for (const SearchablePage& page : *searchable_) {
        std::size_t count = 0;
        for (const std::u16string& word : words) {
            const std::size_t found = occurrences(page.folded, word);
            if (found == 0) {
                count = 0;
                break;
            }
            count += found;
        }
        if (count > 0)
            hits.push_back({page.path, page.title, count});
    }
    std::stable_sort(hits.begin(), hits.end(),
                     [](const SearchHit& a, const SearchHit& b) { return a.count > b.count; });
    return hits;
}

} // namespace help_engine
