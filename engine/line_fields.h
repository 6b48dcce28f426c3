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

// Appends a text as a field of a line: tab, line feed and backslash written as \t, \n and \\.
void appendEscaped(std::string& out, std::string_view text);
// The same as a text of its own.
std::string escapedField(const std::string& text);
// The text of such a field; nothing when an escape is unknown or cut off.
std::optional<std::string> unescapedField(const std::string& field);
