#pragma once

#include "messages.h"

#include <string_view>

// The system's fixed texts as the window shows them, written in UTF-8: the front end has no
// string resources, so it converts these into the code page it works in.
std::string_view systemTextUtf8(SystemText id);
