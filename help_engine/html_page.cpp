#include "html_page.h"

#include "html_tokens.h"

#include <algorithm>
#include <optional>

namespace help_engine {

namespace {

bool isCollapsible(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

// Characters of the East Asian scripts that are written without spaces between words (not
// Hangul): a line break of the source between two of them is no space.
bool isWrittenWithoutSpaces(char16_t c) {
    return (c >= u'\u2E80' && c <= u'\u9FFF') || (c >= u'\uF900' && c <= u'\uFAFF') ||
           (c >= u'\uFF00' && c <= u'\uFF60') || (c >= u'\uFFE0' && c <= u'\uFFE6');
}

bool hasText(const Block& block) {
    return std::any_of(block.runs.begin(), block.runs.end(), [](const Run& run) {
        return std::any_of(run.text.begin(), run.text.end(),
                           [](char16_t c) { return !isCollapsible(c); });
    });
}

std::optional<int> headingLevel(const std::string& name) {
    if (name.size() == 2 && name[0] == 'h' && name[1] >= '1' && name[1] <= '6')
        return name[1] - '0';
    return std::nullopt;
}

bool isOneOf(const std::string& name, std::initializer_list<std::string_view> names) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

class PageBuilder {
  public:
    explicit PageBuilder(unsigned codePage) : codePage_(codePage) {}

    void take(const HtmlToken& token) {
        if (token.kind == HtmlToken::Kind::text)
            text(htmlText(token.text, codePage_));
        else if (token.kind == HtmlToken::Kind::startTag)
            start(token);
        else
            end(token.name);
    }

    Page finish() {
        closeBlock();
        while (!page_.title.empty() && page_.title.back() == u' ')
            page_.title.pop_back();
        if (page_.title.empty()) {
            const auto heading =
                std::find_if(page_.blocks.begin(), page_.blocks.end(),
                             [](const Block& b) { return b.kind == BlockKind::heading; });
            if (heading != page_.blocks.end()) {
                for (const Run& run : heading->runs)
                    page_.title += run.text;
            }
        }
        return std::move(page_);
    }

  private:
    struct List {
        bool ordered;
        int count = 0;
    };

    void start(const HtmlToken& token) {
        const std::string& name = token.name;
        if (name == "title") {
            inTitle_ = true;
        } else if (const std::optional<int> level = headingLevel(name)) {
            openBlock(BlockKind::heading, *level);
        } else if (isOneOf(name, {"p", "div", "center", "address", "dt"})) {
            openBlock(BlockKind::paragraph, depth());
        } else if (name == "dd") {
            openBlock(BlockKind::paragraph, depth() + 1);
        } else if (name == "blockquote") {
            closeBlock();
            ++indent_;
        } else if (name == "dl") {
            closeBlock();
        } else if (isOneOf(name, {"pre", "listing", "xmp"})) {
            openBlock(BlockKind::preformatted, depth());
            ++preformatted_;
            skipLineFeed_ = true;
        } else if (isOneOf(name, {"ul", "ol", "menu", "dir"})) {
            closeBlock();
            lists_.push_back(List{name == "ol"});
        } else if (name == "li") {
            listItem();
        } else if (name == "table") {
            closeBlock();
            tables_.push_back(++tableCount_);
        } else if (name == "tr") {
            row();
        } else if (name == "td" || name == "th") {
            cell(name == "th");
        } else if (name == "br") {
            append(u"\n");
        } else if (name == "hr") {
            closeBlock();
        } else if (name == "a") {
            if (const auto href = token.attribute("href"))
                link_ = htmlUrl(*href);
        } else if (name == "img") {
            if (const auto alt = token.attribute("alt"))
                text(htmlText(*alt, codePage_));
        } else {
            style(name, 1);
        }
        for (const char* key : {"id", "name"}) {
            const auto anchor = token.attribute(key);
            if (anchor && !anchor->empty() && name != "meta" && name != "param")
                anchors_.push_back(htmlUrl(*anchor));
        }
        if (current_)
            placeAnchors();
    }

    void end(const std::string& name) {
        if (name == "title") {
            inTitle_ = false;
        } else if (headingLevel(name) ||
                   isOneOf(name, {"p", "div", "center", "address", "dt", "dd", "li", "dl"})) {
            closeBlock();
        } else if (name == "blockquote") {
            closeBlock();
            indent_ = std::max(indent_ - 1, 0);
        } else if (isOneOf(name, {"pre", "listing", "xmp"})) {
            closeBlock();
            preformatted_ = std::max(preformatted_ - 1, 0);
        } else if (isOneOf(name, {"ul", "ol", "menu", "dir"})) {
            closeBlock();
            if (!lists_.empty())
                lists_.pop_back();
        } else if (name == "table") {
            closeBlock();
            if (!tables_.empty())
                tables_.pop_back();
        } else if (name == "tr") {
            closeBlock();
        } else if (name == "th") {
            endHeaderCell();
        } else if (name == "a") {
            link_.clear();
        } else {
            style(name, -1);
        }
    }

    void style(const std::string& name, int change) {
        int* depth = nullptr;
        if (isOneOf(name, {"b", "strong"}))
            depth = &bold_;
        else if (isOneOf(name, {"i", "em", "cite", "var", "dfn"}))
            depth = &italic_;
        else if (isOneOf(name, {"code", "tt", "kbd", "samp"}))
            depth = &code_;
        if (depth != nullptr)
            *depth = std::max(*depth + change, 0);
    }

    int depth() const { return indent_ + static_cast<int>(lists_.size()); }

    void listItem() {
        if (lists_.empty())
            lists_.push_back(List{false});
        List& list = lists_.back();
        openBlock(BlockKind::listItem, depth());
        current_->marker = list.ordered ? u"" : u"\u2022";
        if (list.ordered) {
            for (char c : std::to_string(++list.count) + ".")
                current_->marker += static_cast<char16_t>(c);
        }
    }

    void row() {
        endHeaderCell();
        openBlock(BlockKind::tableRow, depth());
        current_->table = tables_.empty() ? ++tableCount_ : tables_.back();
        if (tables_.empty())
            tables_.push_back(current_->table);
        cells_ = 0;
    }

    void cell(bool header) {
        endHeaderCell();
        if (!current_ || current_->kind != BlockKind::tableRow)
            row();
        if (cells_++ > 0)
            current_->runs.push_back(Run{u"\t", Run::plain, {}});
        lastChar_ = u'\t';
        pendingSpace_ = false;
        pendingLineFeed_ = false;
        if (header) {
            ++bold_;
            headerCell_ = true;
        }
    }

    void endHeaderCell() {
        if (headerCell_)
            bold_ = std::max(bold_ - 1, 0);
        headerCell_ = false;
    }

    void text(const std::u16string& decoded) {
        if (inTitle_) {
            for (char16_t c : decoded) {
                if (!isCollapsible(c))
                    page_.title += c;
                else if (!page_.title.empty() && page_.title.back() != u' ')
                    page_.title += u' ';
            }
            return;
        }
        if (preformatted_ > 0) {
            std::u16string kept;
            for (char16_t c : decoded) {
                if (c == u'\r')
                    continue;
                if (c == u'\n' && skipLineFeed_ && kept.empty()) {
                    skipLineFeed_ = false;
                    continue;
                }
                skipLineFeed_ = false;
                kept += c;
            }
            append(kept);
            return;
        }
        std::u16string collapsed;
        for (char16_t c : decoded) {
            if (isCollapsible(c)) {
                pendingLineFeed_ = pendingLineFeed_ || c == u'\n';
                pendingSpace_ = true;
                continue;
            }
            const char16_t before = collapsed.empty() ? lastChar_ : collapsed.back();
            const bool joined =
                pendingLineFeed_ && isWrittenWithoutSpaces(before) && isWrittenWithoutSpaces(c);
            if (pendingSpace_ && before != 0 && before != u'\n' && before != u'\t' && !joined) {
                // The space belongs to the text before it, in that text's style.
                if (collapsed.empty()) {
                    current_->runs.back().text += u' ';
                    lastChar_ = u' ';
                } else {
                    collapsed += u' ';
                }
            }
            pendingSpace_ = false;
            pendingLineFeed_ = false;
            collapsed += c;
        }
        append(collapsed);
    }

    // Appends text in the current style to the current block, opening a paragraph when there
    // is none.
    void append(const std::u16string& text) {
        if (text.empty())
            return;
        if (!current_)
            openBlock(BlockKind::paragraph, depth());
        if (text == u"\n") {
            pendingSpace_ = false;
            pendingLineFeed_ = false;
        }
        lastChar_ = text.back();
        unsigned style = Run::plain;
        if (bold_ > 0)
            style |= Run::bold;
        if (italic_ > 0)
            style |= Run::italic;
        if (code_ > 0 || preformatted_ > 0)
            style |= Run::code;
        std::vector<Run>& runs = current_->runs;
        if (!runs.empty() && runs.back().style == style && runs.back().link == link_ &&
            runs.back().text != u"\t")
            runs.back().text += text;
        else
            runs.push_back(Run{text, style, link_});
    }

    void openBlock(BlockKind kind, int level) {
        // A paragraph that opens a list item's text belongs to the item.
        if (kind == BlockKind::paragraph && current_ && current_->kind == BlockKind::listItem &&
            lastChar_ == 0)
            return;
        closeBlock();
        page_.blocks.push_back(Block{});
        current_ = &page_.blocks.back();
        current_->kind = kind;
        current_->level = level;
        lastChar_ = 0;
        placeAnchors();
    }

    void placeAnchors() {
        for (std::string& anchor : anchors_)
            current_->anchors.push_back(std::move(anchor));
        anchors_.clear();
    }

    // Ends the current block; one without text is dropped, and its anchors go to the next.
    void closeBlock() {
        pendingSpace_ = false;
        pendingLineFeed_ = false;
        lastChar_ = 0;
        if (!current_)
            return;
        while (!current_->runs.empty() && current_->runs.back().text != u"\t") {
            std::u16string& last = current_->runs.back().text;
            while (!last.empty() && (last.back() == u' ' || last.back() == u'\n'))
                last.pop_back();
            if (!last.empty())
                break;
            current_->runs.pop_back();
        }
        if (!hasText(*current_)) {
            for (std::string& anchor : current_->anchors)
                anchors_.push_back(std::move(anchor));
            page_.blocks.pop_back();
        }
        current_ = nullptr;
    }

    unsigned codePage_;
    Page page_;
    Block* current_ = nullptr;
    std::vector<std::string> anchors_;
    std::vector<List> lists_;
    std::vector<int> tables_;
    int tableCount_ = 0;
    int cells_ = 0;
    bool headerCell_ = false;
    int indent_ = 0;
    int bold_ = 0;
    int italic_ = 0;
    int code_ = 0;
    int preformatted_ = 0;
    bool skipLineFeed_ = false;
    bool pendingSpace_ = false;
    // Whether the white space still to be written holds a line break of the source.
    bool pendingLineFeed_ = false;
    // The last character of the current block, 0 while it has none.
    char16_t lastChar_ = 0;
    bool inTitle_ = false;
    std::string link_;
};

} // namespace

Page renderPage(std::string_view html, unsigned codePage) {
    PageBuilder builder(declaredCodePage(html).value_or(codePage));
    HtmlTokenizer tokenizer(html);
    for (HtmlToken token; tokenizer.next(token);)
        builder.take(token);
    return builder.finish();
}

std::u16string plainText(const Page& page) {
    std::u16string text = page.title;
    for (const Block& block : page.blocks) {
        text += u'\n';
        for (const Run& run : block.runs)
            text += run.text;
    }
    return text;
}

} // namespace help_engine
