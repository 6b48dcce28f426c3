#include "html_tokens.h"

#include "code_page.h"

#include <algorithm>

namespace help_engine {

namespace {

struct NamedReference {
    std::string_view name;
    char16_t unit;
};

constexpr NamedReference namedReferences[] = {
    {"amp", u'&'},         {"lt", u'<'},          {"gt", u'>'},          {"quot", u'"'},
    {"apos", u'\''},       {"nbsp", u'\u00A0'},   {"copy", u'\u00A9'},   {"reg", u'\u00AE'},
    {"trade", u'\u2122'},  {"hellip", u'\u2026'}, {"mdash", u'\u2014'},  {"ndash", u'\u2013'},
    {"laquo", u'\u00AB'},  {"raquo", u'\u00BB'},  {"middot", u'\u00B7'}, {"times", u'\u00D7'},
    {"divide", u'\u00F7'}, {"deg", u'\u00B0'},    {"yen", u'\u00A5'},    {"bull", u'\u2022'},
    {"larr", u'\u2190'},   {"rarr", u'\u2192'},   {"lsquo", u'\u2018'},  {"rsquo", u'\u2019'},
    {"ldquo", u'\u201C'},  {"rdquo", u'\u201D'},
};

constexpr std::size_t longestReferenceName = 8;

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool isAlpha(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string lowered(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), lower);
    return out;
}

struct Reference {
    char32_t codePoint;
    std::size_t end;
};

// The character reference that starts after the '&' at `amp`, if one does.
std::optional<Reference> referenceAt(std::string_view text, std::size_t amp) {
    std::size_t pos = amp + 1;
    char32_t value = 0;
    if (pos < text.size() && text[pos] == '#') {
        ++pos;
        const bool hex = pos < text.size() && (text[pos] == 'x' || text[pos] == 'X');
        pos += hex ? 1 : 0;
        const std::size_t digits = pos;
        for (; pos < text.size(); ++pos) {
            const char c = lower(text[pos]);
            int digit = -1;
            if (isDigit(c))
                digit = c - '0';
            else if (hex && c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            if (digit < 0)
                break;
            value = std::min<char32_t>(value * (hex ? 16 : 10) + static_cast<char32_t>(digit),
                                       0x110000);
        }
        if (pos == digits)
            return std::nullopt;
        if (value == 0 || value >= 0x110000 || (value >= 0xD800 && value < 0xE000))
            value = 0xFFFD;
    } else {
        const std::size_t start = pos;
        while (pos < text.size() && pos - start <= longestReferenceName &&
               (isAlpha(text[pos]) || isDigit(text[pos])))
            ++pos;
        const std::string_view name = text.substr(start, pos - start);
        const auto found = std::find_if(std::begin(namedReferences), std::end(namedReferences),
                                        [&](const NamedReference& r) { return r.name == name; });
        if (found == std::end(namedReferences))
            return std::nullopt;
        value = found->unit;
    }
    if (pos < text.size() && text[pos] == ';')
        ++pos;
    return Reference{value, pos};
}

void appendCodePoint(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
    } else {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (c >> 10));
        out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    }
}

std::optional<unsigned> charsetIn(std::string_view content) {
    const std::string text = lowered(content);
    const std::size_t at = text.find("charset=");
    if (at == std::string::npos)
        return std::nullopt;
    const std::size_t start = at + 8;
    std::size_t end = start;
    while (end < text.size() && !isSpace(text[end]) && text[end] != ';' && text[end] != '"' &&
           text[end] != '\'')
        ++end;
    return codePageForCharset(std::string_view(text).substr(start, end - start));
}

} // namespace

std::optional<std::string_view> HtmlToken::attribute(std::string_view attributeName) const {
    for (const auto& [key, value] : attributes) {
        if (key == attributeName)
            return value;
    }
    return std::nullopt;
}

bool HtmlTokenizer::next(HtmlToken& token) {
    while (pos_ < html_.size()) {
        const std::string_view rest = html_.substr(pos_);
        if (rest.starts_with("<!--")) {
            pos_ += 4;
            skipPast("-->");
        } else if (rest.starts_with("<!") || rest.starts_with("<?")) {
            skipPast(">");
        } else if (rest.size() > 1 && rest[0] == '<' &&
                   (isAlpha(rest[1]) || (rest[1] == '/' && rest.size() > 2 && isAlpha(rest[2])))) {
            readTag(token);
            return true;
        } else {
            const std::size_t end = html_.find('<', pos_ + 1);
            token = HtmlToken{};
            token.text = html_.substr(pos_, end == std::string_view::npos ? end : end - pos_);
            pos_ = end == std::string_view::npos ? html_.size() : end;
            return true;
        }
    }
    return false;
}

void HtmlTokenizer::readTag(HtmlToken& token) {
    token = HtmlToken{};
    std::size_t i = pos_ + 1;
    token.kind = HtmlToken::Kind::startTag;
    if (html_[i] == '/') {
        token.kind = HtmlToken::Kind::endTag;
        ++i;
    }
    const std::size_t nameStart = i;
    while (i < html_.size() && !isSpace(html_[i]) && html_[i] != '/' && html_[i] != '>')
        ++i;
    token.name = lowered(html_.substr(nameStart, i - nameStart));
    while (i < html_.size()) {
        while (i < html_.size() && (isSpace(html_[i]) || html_[i] == '/'))
            ++i;
        if (i >= html_.size() || html_[i] == '>')
            break;
        const std::size_t keyStart = i;
        while (i < html_.size() && !isSpace(html_[i]) && html_[i] != '=' && html_[i] != '>' &&
               html_[i] != '/')
            ++i;
        if (i == keyStart)
            ++i;
        std::string key = lowered(html_.substr(keyStart, i - keyStart));
        while (i < html_.size() && isSpace(html_[i]))
            ++i;
        std::string_view value;
        if (i < html_.size() && html_[i] == '=') {
            ++i;
            while (i < html_.size() && isSpace(html_[i]))
                ++i;
            if (i < html_.size() && (html_[i] == '"' || html_[i] == '\'')) {
                const char quote = html_[i++];
                const std::size_t end = std::min(html_.find(quote, i), html_.size());
                value = html_.substr(i, end - i);
                i = end + 1;
            } else {
                const std::size_t start = i;
                while (i < html_.size() && !isSpace(html_[i]) && html_[i] != '>')
                    ++i;
                value = html_.substr(start, i - start);
            }
        }
        if (token.kind == HtmlToken::Kind::startTag)
            token.attributes.emplace_back(std::move(key), value);
    }
    pos_ = std::min(i + 1, html_.size());
    if (token.kind == HtmlToken::Kind::startTag &&
        (token.name == "script" || token.name == "style")) {
        // Their contents are never text of the page: go on at their end tag.
        const std::string end = "</" + token.name;
        const auto found =
            std::search(html_.begin() + static_cast<std::ptrdiff_t>(pos_), html_.end(), end.begin(),
                        end.end(), [](char a, char b) { return lower(a) == b; });
        pos_ = static_cast<std::size_t>(found - html_.begin());
    }
}

void HtmlTokenizer::skipPast(std::string_view end) {
    const std::size_t found = html_.find(end, pos_);
    pos_ = found == std::string_view::npos ? html_.size() : found + end.size();
}

std::u16string htmlText(std::string_view raw, unsigned codePage) {
    std::u16string out;
    std::size_t chunk = 0;
    for (std::size_t amp = raw.find('&'); amp != std::string_view::npos;
         amp = raw.find('&', amp + 1)) {
        const std::optional<Reference> reference = referenceAt(raw, amp);
        if (!reference)
            continue;
        out += decodeText(raw.substr(chunk, amp - chunk), codePage);
        appendCodePoint(out, reference->codePoint);
        chunk = reference->end;
        amp = chunk - 1;
    }
    out += decodeText(raw.substr(chunk), codePage);
    return out;
}

std::string htmlUrl(std::string_view raw) {
    std::string out;
    std::size_t chunk = 0;
    for (std::size_t amp = raw.find('&'); amp != std::string_view::npos;
         amp = raw.find('&', amp + 1)) {
        const std::optional<Reference> reference = referenceAt(raw, amp);
        if (!reference || reference->codePoint >= 0x80)
            continue;
        out += raw.substr(chunk, amp - chunk);
        out += static_cast<char>(reference->codePoint);
        chunk = reference->end;
        amp = chunk - 1;
    }
    out += raw.substr(chunk);
    return out;
}

std::optional<unsigned> declaredCodePage(std::string_view html) {
    HtmlTokenizer tokenizer(html);
    for (HtmlToken token; tokenizer.next(token);) {
        if (token.kind != HtmlToken::Kind::startTag)
            continue;
        if (token.name == "body")
            break;
        if (token.name != "meta")
            continue;
        std::optional<unsigned> codePage;
        if (const auto charset = token.attribute("charset"))
            codePage = codePageForCharset(*charset);
        else if (const auto content = token.attribute("content"))
            codePage = charsetIn(*content);
        if (codePage)
            return codePage;
    }
    return std::nullopt;
}

} // namespace help_engine
