#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// kibrel-cli's input and output for scripts: PATHs read one a line or separated by NUL bytes,
// and one record for each row, "PATH TAB NEWNAME LF" or "PATH NUL NEWNAME NUL".
// Tested by cli_e2e_tests (scripts_test.cpp).

// The PATHs of a stream: one a line (a line ends at LF; on Windows a CR before it goes too), or,
// nullSeparated, one before each NUL byte. Empty ones are passed over. Nothing when the stream
// cannot be read to its end.
std::optional<std::vector<std::string>> readPaths(std::FILE* in, bool nullSeparated);

// One record: with nullSeparated, both texts as they are, each ended by a NUL byte. Otherwise a
// line; natively, where PATH or NEWNAME holds a control character or a backslash, the line
// begins with a backslash and those characters are written as escapes (escapedField()), so that
// every line parses and no terminal acts on a name. On Windows no name holds a tab or a line feed
// and the backslash separates folders: the line is written as it is.
void appendRecord(std::string& out, std::string_view path, std::string_view newName,
                  bool nullSeparated);
