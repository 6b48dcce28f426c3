#include "text_conversion.h"

#include "table_code_page.h"

#include <cstring>
#include <iconv.h>
#include <langinfo.h>

namespace {

const char* iconvName(unsigned codePage) {
    switch (codePage) {
    case shiftJisCodePage:
        return "CP932";
    case utf8CodePage:
        return "UTF-8";
    default:
        return "CP1252";
    }
}

constexpr char32_t questionMark = U'?';
constexpr const char* wide = "UTF-32LE";

// One conversion of iconv, opened and closed with the object.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (usable())
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool usable() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts from *in on, as far as the input and out allow; false when iconv stopped at a
    // byte it cannot take (or the end of the input in the middle of a character).
    bool step(char*& in, std::size_t& inLeft, char*& out, std::size_t& outLeft) {
        return iconv(cd_, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1);
    }
    void reset() { iconv(cd_, nullptr, nullptr, nullptr, nullptr); }

  private:
    iconv_t cd_;
};

char32_t fromLittleEndian(const unsigned char* b) {
    return static_cast<char32_t>(b[0]) | static_cast<char32_t>(b[1]) << 8 |
           static_cast<char32_t>(b[2]) << 16 | static_cast<char32_t>(b[3]) << 24;
}

// The characters of text in the character set from; every byte that begins no character of it
// stands as "?".
std::u32string decode(std::string_view text, Converter& converter) {
    std::u32string chars;
    std::string input(text);
    char* in = input.data();
    std::size_t inLeft = input.size();
    while (inLeft > 0) {
        unsigned char buffer[4];
        char* out = reinterpret_cast<char*>(buffer);
        std::size_t outLeft = sizeof buffer;
        bool whole = converter.step(in, inLeft, out, outLeft);
        if (outLeft == 0)
            chars += fromLittleEndian(buffer);
        else if (!whole) {
            chars += questionMark;
            ++in;
            --inLeft;
            converter.reset();
        }
    }
    return chars;
}

// The characters in the character set of converter; one that it lacks stands as "?".
std::string encode(const std::u32string& chars, Converter& converter) {
    std::string out;
    for (char32_t c : chars) {
        unsigned char bytes[4] = {
            static_cast<unsigned char>(c & 0xFF), static_cast<unsigned char>(c >> 8 & 0xFF),
            static_cast<unsigned char>(c >> 16 & 0xFF), static_cast<unsigned char>(c >> 24 & 0xFF)};
        char* in = reinterpret_cast<char*>(bytes);
        std::size_t inLeft = sizeof bytes;
        char buffer[16];
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        if (converter.step(in, inLeft, outPtr, outLeft))
            out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        else
            out += '?';
        converter.reset();
    }
    return out;
}

// The text in the character set to; it stays as it is when the two sets are one, or when
// iconv knows either of them not.
std::string convert(std::string_view text, const char* from, const char* to) {
    if (std::strcmp(from, to) == 0)
        return std::string(text);
    Converter decoder(wide, from);
    Converter encoder(to, wide);
    if (!decoder.usable() || !encoder.usable())
        return std::string(text);
    return encode(decode(text, decoder), encoder);
}

// The whole text in the character set of converter; nothing when iconv stops at a byte it
// cannot take. Without transliteration iconv makes no look-alikes. The character sets here keep
// no state between characters, and no character grows to more than four times its bytes.
std::optional<std::string> convertWhole(std::string_view text, Converter& converter) {
    std::string source(text);
    std::string out(source.size() * 4, '\0');
    char* in = source.data();
    std::size_t inLeft = source.size();
    char* at = out.data();
    std::size_t outLeft = out.size();
    if (!converter.step(in, inLeft, at, outLeft) || inLeft != 0)
        return std::nullopt;
    out.resize(static_cast<std::size_t>(at - out.data()));
    return out;
}

// The text in the character set to, only when it converts whole and, read back, gives the same
// text.
std::optional<std::string> convertExactly(std::string_view text, const char* from, const char* to) {
    Converter forth(to, from);
    Converter back(from, to);
    if (!forth.usable() || !back.usable())
        return std::nullopt;
    std::optional<std::string> converted = convertWhole(text, forth);
    if (!converted)
        return std::nullopt;
    const std::optional<std::string> again = convertWhole(*converted, back);
    if (!again || *again != text)
        return std::nullopt;
    return converted;
}

} // namespace

std::optional<std::string> fromUtf8Exactly(std::string_view utf8, unsigned codePage) {
    return convertExactly(utf8, "UTF-8", iconvName(codePage));
}

std::string fromUtf8(std::string_view utf8, unsigned codePage) {
    return convert(utf8, "UTF-8", iconvName(codePage));
}

std::string toTerminal(std::string_view text, unsigned codePage) {
    return convert(text, iconvName(codePage), nl_langinfo(CODESET));
}
