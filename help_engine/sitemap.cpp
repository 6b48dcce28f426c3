#include "sitemap.h"

#include "html_tokens.h"

#include <algorithm>
#include <optional>

namespace help_engine {

namespace {

bool sameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return (x >= 'A' && x <= 'Z' ? x - 'A' + 'a' : x) == y;
    });
}

} // namespace

std::vector<SitemapEntry> parseSitemap(std::string_view text, unsigned codePage) {
    const unsigned sitemapCodePage = declaredCodePage(text).value_or(codePage);
    std::vector<SitemapEntry> entries;
    int depth = 0;
    std::optional<SitemapEntry> entry;
    bool named = false;
    HtmlTokenizer tokenizer(text);
    for (HtmlToken token; tokenizer.next(token);) {
        const bool start = token.kind == HtmlToken::Kind::startTag;
        const bool end = token.kind == HtmlToken::Kind::endTag;
        if (token.name == "ul") {
            depth = start ? depth + 1 : std::max(depth - (end ? 1 : 0), 0);
        } else if (start && token.name == "object") {
            const auto type = token.attribute("type");
            entry.reset();
            if (type && sameName(*type, "text/sitemap"))
                entry.emplace();
            named = false;
        } else if (start && token.name == "param" && entry) {
            const auto name = token.attribute("name");
            const auto value = token.attribute("value");
            if (!name || !value)
                continue;
            if (sameName(*name, "name") && !named) {
                entry->name = htmlText(*value, sitemapCodePage);
                named = true;
            } else if (sameName(*name, "local") && entry->local.empty()) {
                entry->local = htmlUrl(*value);
            }
        } else if (end && token.name == "object" && entry) {
            if (entry->name.empty())
                entry->name = htmlText(entry->local, sitemapCodePage);
            if (!entry->name.empty()) {
                const int deepest = entries.empty() ? 0 : entries.back().level + 1;
                entry->level = std::min(std::max(depth - 1, 0), deepest);
                entries.push_back(std::move(*entry));
            }
            entry.reset();
        }
    }
    return entries;
}

} // namespace help_engine
