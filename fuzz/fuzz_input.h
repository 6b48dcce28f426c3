#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One fuzz input as the targets read it. Its first byte names the code page: 'j' 932
// (Shift-JIS), 'w' 1252, 'u' 65001 (UTF-8), any other byte one of the three by its value. Then
// come the target's option bytes, and then its text fields, separated by NUL bytes, which no
// file name, pattern or command line can hold.
struct FuzzInput {
    unsigned codePage = 1252;
    std::vector<std::uint8_t> options;
    std::vector<std::string> fields;
};

// The code page a byte names, as the first byte of an input does.
unsigned codePageOf(std::uint8_t b);

// Reads optionCount option bytes and fieldCount fields; missing ones are 0 and empty, and the
// last field ends at the next NUL.
FuzzInput readFuzzInput(const std::uint8_t* data, std::size_t size, std::size_t optionCount,
                        std::size_t fieldCount);
