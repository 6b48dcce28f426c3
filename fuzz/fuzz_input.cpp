#include "fuzz_input.h"

unsigned codePageOf(std::uint8_t b) {
    switch (b) {
    case 'j':
        return 932;
    case 'w':
        return 1252;
    case 'u':
        return 65001;
    default:
        return b % 3 == 0 ? 932 : b % 3 == 1 ? 1252 : 65001;
    }
}

FuzzInput readFuzzInput(const std::uint8_t* data, std::size_t size, std::size_t optionCount,
                        std::size_t fieldCount) {
    FuzzInput input;
    std::size_t at = 0;
    if (at < size)
        input.codePage = codePageOf(data[at++]);
    for (std::size_t i = 0; i < optionCount; ++i)
        input.options.push_back(at < size ? data[at++] : 0);
    for (std::size_t f = 0; f < fieldCount; ++f) {
        std::string field;
        while (at < size && data[at] != 0)
            field += static_cast<char>(data[at++]);
        ++at;
        input.fields.push_back(std::move(field));
    }
    return input;
}
