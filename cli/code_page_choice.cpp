#include "code_page_choice.h"

#include <cctype>
#include <string>

unsigned codePageNamed(std::string_view value) {
    std::string lower;
    for (char c : value)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower == "932")
        return shiftJisCodePage;
    if (lower == "1252")
        return westernCodePage;
    if (lower == "utf-8" || lower == "utf8" || lower == "65001")
        return utf8CodePage;
    return 0;
}
