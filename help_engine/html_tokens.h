#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace help_engine {

struct HtmlToken {
    enum class Kind { text, startTag, endTag };
    Kind kind = Kind::text;
    // The raw bytes of a text token.
    std::string_view text;
    // A tag's name and its attributes' names, in lower case; attribute values raw.
    std::string name;
    std::vector<std::pair<std::string, std::string_view>> attributes;

    std::optional<std::string_view> attribute(std::string_view attributeName) const;
};

// Splits HTML (or a sitemap file) into text and tags, byte by byte: the bytes that make up the
// markup (< > = " ' &) are ASCII and never the trail byte of a double-byte character, so any
// ASCII-compatible code page splits alike. Comments, declarations and processing
// instructions are skipped, and so are the contents of script and style elements.
class HtmlTokenizer {
  public:
    explicit HtmlTokenizer(std::string_view html) : html_(html) {}

    // The next token; false at the end.
    bool next(HtmlToken& token);

  private:
    void readTag(HtmlToken& token);
    void skipPast(std::string_view end);

    std::string_view html_;
    std::size_t pos_ = 0;
};

// The text with its character references (&amp; &#12354; &#x3042;) resolved, decoded from
// the code page `codePage` to UTF-16.
std::u16string htmlText(std::string_view raw, unsigned codePage);

// An attribute value that names a file or a link, with the references that stand for ASCII
// characters (&amp;) resolved; its other bytes stay in the page's code page.
std::string htmlUrl(std::string_view raw);

// The code page that an HTML page declares for itself in a meta element before its body.
std::optional<unsigned> declaredCodePage(std::string_view html);

} // namespace help_engine
