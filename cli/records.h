#pragma once

#include <functional>
#include <string>
#include <string_view>

// kibrel-cli's input and output for scripts: PATHs read one a line or separated by NUL bytes,
// and one record for each row, "PATH TAB NEWNAME LF" or "PATH NUL NEWNAME NUL".
// Tested by cli_e2e_tests (scripts_test.cpp).

// The PATHs of a text read from such a stream, each handed to take in turn, as a view of the
// text: one a line (a line ends at LF; on Windows a CR before it goes too), or, nullSeparated,
// one before each NUL byte. Empty ones are passed over. Stops when take returns false, and
// returns false then.
bool takePaths(std::string_view all, bool nullSeparated,
               const std::function<bool(std::string_view)>& take);

// One record: with nullSeparated, both texts as they are, each ended by a NUL byte. Otherwise a
// line; natively, where PATH or NEWNAME holds a control character or a backslash, the line
// begins with a backslash and those characters are written as escapes (escapedField()), so that
// every line parses and no terminal acts on a name. On Windows no name holds a tab or a line feed
// and the backslash separates folders: the line is written as it is.
void appendRecord(std::string& out, std::string_view path, std::string_view newName,
                  bool nullSeparated);
