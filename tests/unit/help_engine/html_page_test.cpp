#include "code_page.h"
#include "html_page.h"
#include "sitemap.h"

#include <gtest/gtest.h>

#include <string>

// Pages as the help window shows them, written compactly: one line per block, its kind and
// level ("h2", "p0", "li1 2.", "pre0", "row1" for a row of the page's first table), its anchors
// ("#name"), then its runs: *bold*, /italic/, `code`, [text](link), a cell break as " | ".

namespace help_engine {
namespace {

constexpr unsigned utf8 = 65001;

std::string described(const Page& page) {
    std::string out;
    for (const Block& block : page.blocks) {
        if (!out.empty())
            out += '\n';
        switch (block.kind) {
        case BlockKind::heading:
            out += "h";
            break;
        case BlockKind::paragraph:
            out += "p";
            break;
        case BlockKind::listItem:
            out += "li";
            break;
        case BlockKind::preformatted:
            out += "pre";
            break;
        case BlockKind::tableRow:
            out += "row" + std::to_string(block.table);
            break;
        }
        if (block.kind != BlockKind::tableRow)
            out += std::to_string(block.level);
        if (!block.marker.empty())
            out += " " + utf8FromUtf16(block.marker);
        for (const std::string& anchor : block.anchors)
            out += " #" + anchor;
        out += ":";
        for (const Run& run : block.runs) {
            std::string text = run.text == u"\t" ? " | " : utf8FromUtf16(run.text);
            if (run.style & Run::code)
                text = "`" + text + "`";
            if (run.style & Run::italic)
                text = "/" + text + "/";
            if (run.style & Run::bold)
                text = "*" + text + "*";
            if (!run.link.empty())
                text = "[" + text + "](" + run.link + ")";
            out += text;
        }
    }
    return out;
}

struct PageCase {
    const char* name;
    std::string html;
    const char* expected;
};

const PageCase pageCases[] = {
    {"headings and paragraphs, white space collapsed", "<h1> A \n b</h1>\n<p>\n c\n d </p>e",
     "h1:A b\np0:c d\np0:e"},
    {"a line break between Japanese words is no space", "<p>日本\n語の  文。\nKibrel は\n名前</p>",
     "p0:日本語の 文。 Kibrel は名前"},
    {"styles nest; a space keeps the style of the text it follows",
     "<p>a <b>b <i>c</i></b><code>d</code> <tt>e</tt></p>", "p0:a *b **/c/*`d e`"},
    {"ordered and bulleted lists, nested, a paragraph inside an item",
     "<ol><li>a<li><p>b</p><ul><li>c</ul>d</ol><li>loose",
     "li1 1.:a\nli1 2.:b\nli2 •:c\np1:d\nli1 •:loose"},
    {"preformatted text keeps its lines and drops the first line feed",
     "<pre>\nSearch:  {a}\r\n  x <b>y</b></pre>", "pre0:`Search:  {a}\n  x `*`y`*"},
    {"tables: rows with their cells, header cells bold, each table numbered",
     "<table><tr><th>k<th>v</tr><tr><td>1</td><td> 2 </td></tr></table><table><tr><td>z</table>",
     "row1:*k* | *v*\nrow1:1 | 2\nrow2:z"},
    {"links and the anchors of names, ids and empty anchors before a heading",
     "<a name=\"top\"></a><h2 id=s>S</h2><p>see <a href='b.html#c'>B &amp; C</a>.</p>",
     "h2 #top #s:S\np0:see [B & C](b.html#c)."},
    {"character references, known and unknown", "<p>&lt;&#12354;&#x3042;&nbsp;x&unknown; &amp</p>",
     "p0:<ああ\u00A0x&unknown; &"},
    {"head, comments, scripts and styles show nothing; images their alternative text",
     "<head><title>T</title><style>p{}</style></head><!-- <p>no</p> --><script>x<y</script>"
     "<p>a<img src=i.png alt=\"[i]\">b<br>c</p>",
     "p0:a[i]b\nc"},
    {"quotations and definitions are indented",
     "<blockquote><p>q</p></blockquote><dl><dt>t<dd>d</dl>", "p1:q\np0:t\np1:d"},
};

TEST(HtmlPage, BlocksRunsLinksAndAnchorsOfAPage) {
    for (const PageCase& c : pageCases) {
        EXPECT_EQ(described(renderPage(c.html, utf8)), c.expected) << c.name;
    }
}

TEST(HtmlPage, TitleFromItsElementElseTheFirstHeading) {
    EXPECT_EQ(renderPage("<title> A\n  b </title><h1>c</h1>", utf8).title, u"A b");
    EXPECT_EQ(renderPage("<p>x</p><h3>Third</h3>", utf8).title, u"Third");
}

// "表示" in Shift-JIS; the second byte of 表 is a backslash.
const std::string shiftJisWord = "\x95\x5C\x8E\xA6";

TEST(HtmlPage, TextDecodesFromTheCharsetThePageDeclares) {
    const std::string declared =
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\"><p>" +
        shiftJisWord + "</p>";
    EXPECT_EQ(renderPage(declared, 1252).blocks.at(0).runs.at(0).text, u"表示");
    EXPECT_EQ(renderPage("<meta charset=utf-8><p>表示</p>", 932).blocks.at(0).runs.at(0).text,
              u"表示");
    EXPECT_EQ(renderPage("<p>" + shiftJisWord + "</p>", 932).blocks.at(0).runs.at(0).text, u"表示");
}

TEST(Sitemap, EntriesWithTheirDepthNameAndTarget) {
    const std::string sitemap =
        "<OBJECT type=\"text/site properties\"><param name=\"Name\" value=\"not an entry\">"
        "</OBJECT><UL>"
        "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"" +
        shiftJisWord +
        "\">"
        "<param name=\"Local\" value=\"a.html#x\"><param name=\"Name\" value=\"second\">"
        "</OBJECT><UL><UL>"
        "<LI><object type=\"text/sitemap\"><param name=\"Local\" value=\"b.html?a&amp;b\">"
        "</object></UL>"
        "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"C &amp; D\"></OBJECT>"
        "</UL></UL>";
    const std::vector<SitemapEntry> entries = parseSitemap(sitemap, 932);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].level, 0);
    EXPECT_EQ(entries[0].name, u"表示");
    EXPECT_EQ(entries[0].local, "a.html#x");
    EXPECT_EQ(entries[1].level, 1) << "never more than one deeper than the entry before";
    EXPECT_EQ(entries[1].name, u"b.html?a&b") << "an entry without a name shows its target";
    EXPECT_EQ(entries[2].level, 1);
    EXPECT_EQ(entries[2].name, u"C & D");
    EXPECT_EQ(entries[2].local, "");
}

} // namespace
} // namespace help_engine
