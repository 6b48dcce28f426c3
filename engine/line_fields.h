#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

// Texts as the tab-separated fields of a line, which the journal and kibrel-cli's records write
// alike, and a stream read whole. Tested by engine_tests (plan_test.cpp) and cli_e2e_tests
// (scripts_test.cpp).

// All that a stream holds to its end; nothing when it cannot be read.
std::optional<std::string> readStream(std::FILE* in);

// Whether a character is written as an escape in a field: the control characters, which a
// terminal would act on (below 0x20, and 0x7F), and the backslash. No byte of a double-byte
// character is one of them. Inline, as it is asked of every byte of every record.
inline bool escapedInFields(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b < 0x20 || b == 0x7F || c == '\\';
}
// Appends a text as a field of a line: tab, line feed, carriage return and backslash written as
// \t, \n, \r and \\, the other control characters as \x and two hexadecimal digits.
void appendEscaped(std::string& out, std::string_view text);
// The same as a text of its own.
std::string escapedField(const std::string& text);
// The text of such a field; nothing when an escape is unknown or cut off.
std::optional<std::string> unescapedField(const std::string& field);
