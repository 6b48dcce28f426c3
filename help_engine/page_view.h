#pragma once

#include "html_page.h"

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace help_engine {

// The page pane of the help window: a read-only rich edit control that shows a page with its
// headings, paragraphs, lists, tables (cells at tab stops as wide as their widest text) and
// preformatted examples, its links underlined, and tells where a link at a position leads.
class PageView {
  public:
    // Makes the control, child `id` of `parent`; false when the platform has no rich edit
    // control.
    bool create(HWND parent, int id, HINSTANCE module);
    HWND window() const { return edit_; }
    // The font of the page's text, and the code page whose characters the page shows.
    void setFont(const LOGFONTW& font, unsigned codePage);

    // Shows `page` at the place `anchor` names, or at its top.
    void show(const Page& page, const std::string& anchor);
    // Where the link at the character `position` leads, as the page writes it; empty when
    // there is no link there.
    std::string linkAt(LONG position) const;
    // Selects the first place of `word` in the page, without regard to case, and scrolls to it.
    void select(std::u16string_view word);

  private:
    struct Span {
        LONG start;
        LONG end;
        unsigned style;
        std::string link;
    };
    struct Paragraph {
        LONG start;
        LONG end;
        const Block* block;
    };

    void formatParagraph(const Paragraph& paragraph, const std::vector<std::vector<LONG>>& tabs);
    void formatSpan(const Span& span);
    std::vector<std::vector<LONG>> tableTabs(const Page& page) const;
    void scrollTo(LONG position);
    void selectRange(LONG start, LONG end);

    HWND edit_ = nullptr;
    LOGFONTW font_{};
    std::wstring fixedFace_;
    BYTE charset_ = DEFAULT_CHARSET;
    LONG textHeight_ = 200; // twips
    std::vector<Span> links_;
    std::vector<std::pair<std::string, LONG>> anchors_;
};

} // namespace help_engine
