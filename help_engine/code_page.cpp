#include "code_page.h"

#include <algorithm>

namespace help_engine {

namespace {

constexpr unsigned utf8CodePage = 65001;

struct LanguageCodePage {
    std::uint16_t primaryLanguage;
    unsigned codePage;
};

// By primary language; Chinese depends on the sublanguage as well.
constexpr LanguageCodePage languageCodePages[] = {
    {0x01, 1256}, {0x02, 1251}, {0x05, 1250}, {0x08, 1253}, {0x0D, 1255}, {0x0E, 1250},
    {0x11, 932},  {0x12, 949},  {0x15, 1250}, {0x18, 1250}, {0x19, 1251}, {0x1A, 1250},
    {0x1B, 1250}, {0x1C, 1250}, {0x1E, 874},  {0x1F, 1254}, {0x22, 1251}, {0x23, 1251},
    {0x24, 1250}, {0x25, 1257}, {0x26, 1257}, {0x27, 1257}, {0x2A, 1258}, {0x2F, 1251},
};

struct CharsetCodePage {
    std::string_view charset;
    unsigned codePage;
};

constexpr CharsetCodePage charsetCodePages[] = {
    {"shift_jis", 932},      {"shift-jis", 932},
    {"x-sjis", 932},         {"windows-31j", 932},
    {"cp932", 932},          {"utf-8", utf8CodePage},
    {"gb2312", 936},         {"gbk", 936},
    {"big5", 950},           {"euc-kr", 949},
    {"ks_c_5601-1987", 949}, {"iso-8859-1", 1252},
    {"us-ascii", 1252},      {"windows-1250", 1250},
    {"windows-1251", 1251},  {"windows-1252", 1252},
    {"windows-1253", 1253},  {"windows-1254", 1254},
    {"windows-1255", 1255},  {"windows-1256", 1256},
    {"windows-1257", 1257},  {"windows-1258", 1258},
    {"windows-874", 874},    {"koi8-r", 20866},
};

bool sameCharset(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return (x >= 'A' && x <= 'Z' ? x - 'A' + 'a' : x) == y;
    });
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | c >> 18);
        out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

unsigned codePageForLanguage(std::uint32_t languageId) {
    const auto primary = static_cast<std::uint16_t>(languageId & 0x3FF);
    if (primary == 0x04) {
        // Taiwan, Hong Kong and Macao write traditional Chinese (Big5); the others GBK.
        const std::uint32_t region = languageId >> 10 & 0x3F;
        return region == 1 || region == 3 || region == 5 ? 950 : 936;
    }
    for (const LanguageCodePage& entry : languageCodePages) {
        if (entry.primaryLanguage == primary)
            return entry.codePage;
    }
    return 1252;
}

std::optional<unsigned> codePageForCharset(std::string_view charset) {
    for (const CharsetCodePage& entry : charsetCodePages) {
        if (sameCharset(charset, entry.charset))
            return entry.codePage;
    }
    return std::nullopt;
}

std::string utf8FromUtf16(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        else if (c >= 0xD800 && c < 0xE000)
            c = 0xFFFD;
        appendUtf8(out, c);
    }
    return out;
}

} // namespace help_engine
