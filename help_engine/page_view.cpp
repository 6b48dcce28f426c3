#include "page_view.h"

#include "window_font.h"

#include <commdlg.h>
#include <richedit.h>

#include <algorithm>
#include <charconv>
#include <cwchar>
#include <utility>

namespace help_engine {

namespace {

constexpr LONG twipsPerInch = 1440;
// The smallest size of the page's text: 10 points.
constexpr LONG minTextHeight = 200;
constexpr LONG indentStep = 360;
// Deeper lists and quotations are indented no further.
constexpr int maxIndentLevel = 12;
constexpr LONG markerWidth = 240;
constexpr LONG cellGap = 180;
constexpr LONG maxCellWidth = 4 * twipsPerInch;
constexpr COLORREF headingColour = RGB(0x1F, 0x3F, 0x66);
constexpr COLORREF linkColour = RGB(0x00, 0x33, 0xCC);
constexpr COLORREF codeBackground = RGB(0xF0, 0xF3, 0xF7);

int screenDpi() {
    const HDC dc = GetDC(nullptr);
    const int dpi = dc != nullptr ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
    if (dc != nullptr)
        ReleaseDC(nullptr, dc);
    return dpi > 0 ? dpi : 96;
}

std::wstring wide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

// A heading's text relative to the page's text, in percent.
LONG headingScale(int level) {
    return level == 1 ? 150 : level == 2 ? 125 : level == 3 ? 110 : 100;
}

bool isWrittenWithoutSpaces(wchar_t c) {
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6);
}

// Japanese is wrapped between any two characters. The platform's control may wrap only at
// spaces, moving a long run of Japanese whole to the next line after a space and leaving a
// short line behind; in a paragraph with Japanese text the spaces are therefore kept from
// breaking the line (no-break spaces), and its lines break where they end.
void keepJapaneseTogether(std::wstring& text, std::size_t start) {
    if (std::none_of(text.begin() + static_cast<std::ptrdiff_t>(start), text.end(),
                     isWrittenWithoutSpaces))
        return;
    std::replace(text.begin() + static_cast<std::ptrdiff_t>(start), text.end(), L' ', L'\u00A0');
}

} // namespace

bool PageView::create(HWND parent, int id, HINSTANCE module) {
    static const HMODULE richEdit = LoadLibraryW(L"riched20.dll");
    if (richEdit == nullptr)
        return false;
    edit_ = CreateWindowExW(WS_EX_CLIENTEDGE, RICHEDIT_CLASSW, L"",
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_CLIPSIBLINGS | ES_MULTILINE |
                                ES_READONLY | ES_NOHIDESEL | ES_AUTOVSCROLL,
                            0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            module, nullptr);
    if (edit_ == nullptr)
        return false;
    SendMessageW(edit_, EM_SETEVENTMASK, 0, ENM_LINK);
    SendMessageW(edit_, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    SendMessageW(edit_, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(GetSysColor(COLOR_WINDOW)));
    return true;
}

void PageView::setFont(const LOGFONTW& font, unsigned codePage) {
    font_ = font;
    fixedFace_ = fixedPitchFace(codePage);
    charset_ = charsetOf(codePage);
    const LONG height = std::abs(font.lfHeight) * twipsPerInch / screenDpi();
    textHeight_ = std::max(height, minTextHeight);
}

void PageView::show(const Page& page, const std::string& anchor) {
    std::wstring text;
    std::vector<Paragraph> paragraphs;
    std::vector<Span> spans;
    links_.clear();
    anchors_.clear();
    for (const Block& block : page.blocks) {
        if (!paragraphs.empty())
            text += L'\r';
        const auto start = static_cast<LONG>(text.size());
        for (const std::string& name : block.anchors)
            anchors_.emplace_back(name, start);
        for (const Run& run : block.runs) {
            const auto runStart = static_cast<LONG>(text.size());
            std::wstring runText = wide(run.text);
            std::replace(runText.begin(), runText.end(), L'\n', L'\r');
            text += runText;
            const Span span{runStart, static_cast<LONG>(text.size()), run.style, run.link};
            if (!run.link.empty())
                links_.push_back(span);
            if (run.style != Run::plain || !run.link.empty())
                spans.push_back(span);
        }
        if (block.kind != BlockKind::preformatted)
            keepJapaneseTogether(text, static_cast<std::size_t>(start));
        paragraphs.push_back({start, static_cast<LONG>(text.size()), &block});
    }

    SendMessageW(edit_, WM_SETREDRAW, FALSE, 0);
    SetWindowTextW(edit_, text.c_str());
    CHARFORMAT2W base{};
    base.cbSize = sizeof base;
    base.dwMask = CFM_FACE | CFM_SIZE | CFM_CHARSET | CFM_COLOR | CFM_BOLD | CFM_ITALIC |
                  CFM_UNDERLINE | CFM_LINK | CFM_BACKCOLOR;
    base.dwEffects = CFE_AUTOCOLOR | CFE_AUTOBACKCOLOR;
    base.yHeight = textHeight_;
    base.bCharSet = charset_;
    wcsncpy(base.szFaceName, font_.lfFaceName, LF_FACESIZE - 1);
    SendMessageW(edit_, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&base));
    const std::vector<std::vector<LONG>> tabs = tableTabs(page);
    for (const Paragraph& paragraph : paragraphs)
        formatParagraph(paragraph, tabs);
    for (const Span& span : spans)
        formatSpan(span);
    SendMessageW(edit_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(edit_, nullptr, TRUE);

    const auto named = std::find_if(anchors_.begin(), anchors_.end(),
                                    [&](const auto& entry) { return entry.first == anchor; });
    scrollTo(anchor.empty() || named == anchors_.end() ? 0 : named->second);
}

void PageView::formatParagraph(const Paragraph& paragraph,
                               const std::vector<std::vector<LONG>>& tabs) {
    const Block& block = *paragraph.block;
    const LONG level = std::min(block.level, maxIndentLevel);
    PARAFORMAT2 format{};
    format.cbSize = sizeof format;
    format.dwMask = PFM_STARTINDENT | PFM_OFFSET | PFM_TABSTOPS | PFM_SPACEBEFORE | PFM_SPACEAFTER;
    format.dySpaceAfter = 60;
    std::vector<LONG> stops;
    switch (block.kind) {
    case BlockKind::heading:
        format.dySpaceBefore = level <= 2 ? 240 : 120;
        format.dySpaceAfter = 80;
        break;
    case BlockKind::paragraph:
        format.dxStartIndent = level * indentStep;
        break;
    case BlockKind::listItem:
        // The control draws the bullet or number, hanging before the item's lines.
        format.dwMask |= PFM_NUMBERING | PFM_NUMBERINGSTART | PFM_NUMBERINGSTYLE | PFM_NUMBERINGTAB;
        format.dxStartIndent = level * indentStep - markerWidth;
        format.dxOffset = markerWidth;
        format.wNumberingTab = static_cast<WORD>(markerWidth);
        if (block.marker == u"\u2022") {
            format.wNumbering = PFN_BULLET;
        } else {
            format.wNumbering = PFN_ARABIC;
            format.wNumberingStyle = PFNS_PERIOD;
            const std::string number(block.marker.begin(), block.marker.end());
            unsigned start = 1;
            std::from_chars(number.data(), number.data() + number.size(), start);
            format.wNumberingStart = static_cast<WORD>(std::min(start, 0xFFFFu));
        }
        break;
    case BlockKind::preformatted:
        format.dxStartIndent = level * indentStep + markerWidth;
        format.dySpaceBefore = 60;
        format.dySpaceAfter = 120;
        break;
    case BlockKind::tableRow:
        format.dxStartIndent = level * indentStep;
        format.dySpaceAfter = 20;
        if (block.table > 0 && static_cast<std::size_t>(block.table) <= tabs.size()) {
            for (LONG stop : tabs[static_cast<std::size_t>(block.table) - 1])
                stops.push_back(format.dxStartIndent + stop);
        }
        break;
    }
    format.cTabCount = static_cast<SHORT>(std::min<std::size_t>(stops.size(), MAX_TAB_STOPS));
    std::copy_n(stops.begin(), format.cTabCount, format.rgxTabs);
    // A block whose lines are broken (preformatted text, line breaks) is one paragraph of the
    // control a line: the space before goes to its first, the space after to its last.
    PARAFORMAT2 before{};
    before.cbSize = sizeof before;
    before.dwMask = PFM_SPACEBEFORE;
    before.dySpaceBefore = std::exchange(format.dySpaceBefore, 0);
    PARAFORMAT2 after{};
    after.cbSize = sizeof after;
    after.dwMask = PFM_SPACEAFTER;
    after.dySpaceAfter = std::exchange(format.dySpaceAfter, 0);
    selectRange(paragraph.start, paragraph.end);
    SendMessageW(edit_, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
    selectRange(paragraph.start, paragraph.start);
    SendMessageW(edit_, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&before));
    selectRange(paragraph.end, paragraph.end);
    SendMessageW(edit_, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&after));
    selectRange(paragraph.start, paragraph.end);

    if (block.kind == BlockKind::heading) {
        CHARFORMAT2W heading{};
        heading.cbSize = sizeof heading;
        heading.dwMask = CFM_BOLD | CFM_SIZE | CFM_COLOR;
        heading.dwEffects = CFE_BOLD;
        heading.yHeight = textHeight_ * headingScale(block.level) / 100;
        heading.crTextColor = headingColour;
        SendMessageW(edit_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&heading));
    }
}

void PageView::formatSpan(const Span& span) {
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    if (span.style & Run::bold) {
        format.dwMask |= CFM_BOLD;
        format.dwEffects |= CFE_BOLD;
    }
    if (span.style & Run::italic) {
        format.dwMask |= CFM_ITALIC;
        format.dwEffects |= CFE_ITALIC;
    }
    if (span.style & Run::code) {
        format.dwMask |= CFM_FACE | CFM_BACKCOLOR;
        wcsncpy(format.szFaceName, fixedFace_.c_str(), LF_FACESIZE - 1);
        format.crBackColor = codeBackground;
    }
    if (!span.link.empty()) {
        format.dwMask |= CFM_LINK | CFM_UNDERLINE | CFM_COLOR;
        format.dwEffects |= CFE_LINK | CFE_UNDERLINE;
        format.crTextColor = linkColour;
    }
    selectRange(span.start, span.end);
    SendMessageW(edit_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

// For each table of the page, the tab stops of its cells in twips from the row's start: each
// column as wide as its widest cell (up to maxCellWidth), measured in the page's bold font.
std::vector<std::vector<LONG>> PageView::tableTabs(const Page& page) const {
    std::vector<std::vector<LONG>> widths;
    const int dpi = screenDpi();
    LOGFONTW measured = font_;
    measured.lfHeight = -textHeight_ * dpi / twipsPerInch;
    measured.lfWeight = FW_BOLD;
    const HDC dc = GetDC(edit_);
    if (dc == nullptr)
        return {};
    const HFONT font = CreateFontIndirectW(&measured);
    const HGDIOBJ former = SelectObject(dc, font);
    for (const Block& block : page.blocks) {
        if (block.kind != BlockKind::tableRow || block.table <= 0)
            continue;
        if (widths.size() < static_cast<std::size_t>(block.table))
            widths.resize(static_cast<std::size_t>(block.table));
        std::vector<LONG>& columns = widths[static_cast<std::size_t>(block.table) - 1];
        std::size_t column = 0;
        std::wstring cell;
        const auto measure = [&] {
            if (column >= MAX_TAB_STOPS)
                return;
            SIZE size{};
            GetTextExtentPoint32W(dc, cell.c_str(), static_cast<int>(cell.size()), &size);
            const LONG width = std::min(size.cx * twipsPerInch / dpi + cellGap, maxCellWidth);
            if (columns.size() <= column)
                columns.resize(column + 1);
            columns[column] = std::max(columns[column], width);
        };
        for (const Run& run : block.runs) {
            if (run.text == u"\t") {
                measure();
                ++column;
                cell.clear();
            } else {
                cell += wide(run.text);
            }
        }
        measure();
    }
    SelectObject(dc, former);
    DeleteObject(font);
    ReleaseDC(edit_, dc);
    for (std::vector<LONG>& columns : widths) {
        // Stops where the columns after the first begin.
        LONG at = 0;
        for (LONG& width : columns)
            width = at += width;
    }
    return widths;
}

std::string PageView::linkAt(LONG position) const {
    for (const Span& span : links_) {
        if (position >= span.start && position < span.end)
            return span.link;
    }
    return {};
}

void PageView::select(std::u16string_view word) {
    const std::wstring text = wide(word);
    FINDTEXTEXW find{};
    find.chrg = {0, -1};
    find.lpstrText = text.c_str();
    if (SendMessageW(edit_, EM_FINDTEXTEXW, FR_DOWN, reinterpret_cast<LPARAM>(&find)) < 0)
        return;
    scrollTo(find.chrgText.cpMin);
    selectRange(find.chrgText.cpMin, find.chrgText.cpMax);
}

void PageView::scrollTo(LONG position) {
    selectRange(position, position);
    const auto line = SendMessageW(edit_, EM_EXLINEFROMCHAR, 0, position);
    const auto first = SendMessageW(edit_, EM_GETFIRSTVISIBLELINE, 0, 0);
    SendMessageW(edit_, EM_LINESCROLL, 0, line - first);
}

void PageView::selectRange(LONG start, LONG end) {
    CHARRANGE range{start, end};
    SendMessageW(edit_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

} // namespace help_engine
