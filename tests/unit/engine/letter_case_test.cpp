#include "engine_fixture.h"

#include <iconv.h>
#include <locale.h>
#include <wctype.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

// A conversion of the C library's iconv from one encoding to another.
class Conversion {
  public:
    Conversion(const char* from, const char* to) : cd_(iconv_open(to, from)) {}
    ~Conversion() {
        if (opened())
            iconv_close(cd_);
    }
    Conversion(const Conversion&) = delete;
    Conversion& operator=(const Conversion&) = delete;

    bool opened() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // The bytes converted, or none when they are no whole characters of the encoding or have
    // no counterpart in the other.
    std::optional<std::string> operator()(std::string_view bytes) const {
        std::string in(bytes);
        std::string out(16, '\0');
        char* inPtr = in.data();
        char* outPtr = out.data();
        std::size_t inLeft = in.size();
        std::size_t outLeft = out.size();
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) ||
            inLeft != 0 || iconv(cd_, nullptr, nullptr, &outPtr, &outLeft) != 0)
            return std::nullopt;
        out.resize(out.size() - outLeft);
        return out;
    }

  private:
    iconv_t cd_;
};

// An encoding as the C library converts it to and from UTF-32.
class Encoding {
  public:
    Encoding(unsigned number, const char* name)
        : number(number), name(name), toUtf32_(name, "UTF-32LE"), fromUtf32_("UTF-32LE", name) {}

    bool opened() const { return toUtf32_.opened() && fromUtf32_.opened(); }

    std::optional<char32_t> codePoint(std::string_view character) const {
        const std::optional<std::string> utf32 = toUtf32_(character);
        if (!utf32 || utf32->size() != 4)
            return std::nullopt;
        char32_t c = 0;
        for (std::size_t i = 4; i-- > 0;)
            c = c << 8 | static_cast<unsigned char>((*utf32)[i]);
        return c;
    }
    std::optional<std::string> encoded(char32_t c) const {
        std::string utf32;
        for (int i = 0; i < 4; ++i)
            utf32 += static_cast<char>(c >> (8 * i) & 0xFF);
        return fromUtf32_(utf32);
    }

    const unsigned number;
    const char* const name;

  private:
    Conversion toUtf32_;
    Conversion fromUtf32_;
};

// The blocks whose letters the code pages change the case of: ASCII, Latin-1, Latin
// Extended-A, Greek and Coptic, Cyrillic and the full-width Latin letters.
bool inCasedBlock(char32_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= 0xA0 && c <= 0x17F) ||
           (c >= 0x370 && c <= 0x4FF) || (c >= 0xFF21 && c <= 0xFF5A);
}

// What the C library's simple case mapping, in the C.UTF-8 locale, makes of a character of
// the encoding: the character in the other case when that lies in the encoding too, else the
// character as it is.
std::string expectedInCase(std::string_view character, const Encoding& encoding,
                           LetterCase letterCase, locale_t utf8) {
    const std::optional<char32_t> c = encoding.codePoint(character);
    if (!c || !inCasedBlock(*c))
        return std::string(character);
    const auto wide = static_cast<wint_t>(*c);
    const auto mapped = static_cast<char32_t>(
        letterCase == LetterCase::upper ? towupper_l(wide, utf8) : towlower_l(wide, utf8));
    return encoding.encoded(mapped).value_or(std::string(character));
}

// Every character of 932 and 1252, and every character of UTF-8 below U+10000 and a few above,
// in both cases, against the C library's case mapping; a character of the code page that is no
// character of the encoding (a lone lead byte, an unassigned code) stays as it is.
TEST(LetterCase, EveryCharacterTakesTheCaseTheCLibraryGivesIt) {
    const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    ASSERT_NE(utf8, static_cast<locale_t>(nullptr));
    for (const auto& [number, name] :
         {std::pair{932u, "CP932"}, std::pair{1252u, "CP1252"}, std::pair{65001u, "UTF-8"}}) {
        const Encoding encoding(number, name);
        ASSERT_TRUE(encoding.opened()) << name;
        std::vector<std::string> characters;
        if (number == 65001) {
            for (char32_t c = 1; c < 0x10000; ++c)
                if (c < 0xD800 || c > 0xDFFF)
                    characters.push_back(*encoding.encoded(c));
            for (char32_t c : {0x10400u, 0x10428u, 0x1F600u})
                characters.push_back(*encoding.encoded(c));
        } else {
            for (unsigned first = 1; first < 256; ++first) {
                characters.emplace_back(1, static_cast<char>(first));
                for (unsigned second = 0x40; number == 932 && second < 256; ++second)
                    characters.push_back({static_cast<char>(first), static_cast<char>(second)});
            }
        }
        const TableCodePage cp(number);
        int differences = 0;
        for (const std::string& character : characters) {
            if (cp.charLength(character, 0) != character.size())
                continue;
            for (LetterCase letterCase : {LetterCase::upper, LetterCase::lower}) {
                std::string got;
                cp.appendInCase(character, letterCase, got);
                const std::string expected = expectedInCase(character, encoding, letterCase, utf8);
                if (got != expected && ++differences <= 5)
                    ADD_FAILURE() << name << ": " << visible(character) << " became "
                                  << visible(got) << ", not " << visible(expected);
            }
        }
        EXPECT_EQ(differences, 0) << name;
    }
    freelocale(utf8);
}

} // namespace
