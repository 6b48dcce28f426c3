#pragma once

#include <string>
#include <string_view>

// The bytes written as hexadecimal pairs separated by spaces: "82 a0" gives the two bytes
// 0x82 0xA0.
inline std::string hexBytes(std::string_view pairs) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < pairs.size(); i += 3)
        bytes += static_cast<char>(std::stoi(std::string(pairs.substr(i, 2)), nullptr, 16));
    return bytes;
}
