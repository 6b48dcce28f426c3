#pragma once

#include "code_page.h"

#include <string>
#include <string_view>
#include <vector>

// The full paths in the open-file dialog's answer: either one full path, or a folder followed
// by the names chosen in it, each ended by a zero byte, the list ended by a second one. A name
// is joined to its folder by one backslash, none when the folder already ends with one (found
// by characters, since a second byte of a double-byte character may be 0x5C). `answer` is the
// whole buffer; nothing past it is read.
std::vector<std::string> chosenFiles(std::string_view answer, const CodePage& cp);
