#include "property.h"

#include <cstdio>
#include <cstdlib>

std::string hexBytes(std::string_view bytes) {
    std::string out;
    for (char ch : bytes) {
        char pair[4];
        std::snprintf(pair, sizeof pair, "%02X", static_cast<unsigned char>(ch));
        if (!out.empty())
            out += ' ';
        out += pair;
    }
    return out;
}

void require(bool holds, const char* property, std::initializer_list<std::string_view> context) {
    if (holds)
        return;
    std::fprintf(stderr, "property violated: %s\n", property);
    for (std::string_view text : context)
        std::fprintf(stderr, "  [%s]\n", hexBytes(text).c_str());
    std::abort();
}
