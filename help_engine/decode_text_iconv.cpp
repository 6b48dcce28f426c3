#include "code_page.h"

#include <iconv.h>

#include <cerrno>
#include <map>
#include <string>

namespace help_engine {

namespace {

constexpr unsigned utf8CodePage = 65001;

const iconv_t noConverter = reinterpret_cast<iconv_t>(-1);

// One converter to UTF-16 per code page for the life of the process; noConverter when iconv
// knows no such code page.
class Converters {
  public:
    ~Converters() {
        for (const auto& [codePage, converter] : converters_) {
            if (converter != noConverter)
                iconv_close(converter);
        }
    }
    iconv_t forCodePage(unsigned codePage) {
        const auto found = converters_.find(codePage);
        if (found != converters_.end())
            return found->second;
        std::string name = "CP" + std::to_string(codePage);
        if (codePage == utf8CodePage)
            name = "UTF-8";
        else if (codePage == 20866)
            name = "KOI8-R";
        return converters_[codePage] = iconv_open("UTF-16LE", name.c_str());
    }

  private:
    std::map<unsigned, iconv_t> converters_;
};

} // namespace

std::u16string decodeText(std::string_view bytes, unsigned codePage) {
    static Converters converters;
    const iconv_t converter = converters.forCodePage(codePage);
    if (converter == noConverter)
        return std::u16string(bytes.size(), u'\uFFFD');
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    std::u16string text;
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char buffer[1024];
    while (inLeft > 0) {
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t converted = iconv(converter, &in, &inLeft, &out, &outLeft);
        const int error = errno;
        for (char* unit = buffer; unit + 1 < out; unit += 2)
            text += static_cast<char16_t>(static_cast<unsigned char>(unit[0]) |
                                          static_cast<unsigned char>(unit[1]) << 8);
        if (converted != static_cast<std::size_t>(-1) || error == E2BIG)
            continue;
        // A sequence that the code page lacks, or one cut off at the end of the text.
        text += u'\uFFFD';
        if (error != EILSEQ)
            break;
        ++in;
        --inLeft;
    }
    return text;
}

} // namespace help_engine
