#pragma once

#include "table_code_page.h"

#include <string_view>

// The code page that a --code-page value names: "932", "1252", or "utf-8" (in any case, also
// "utf8" and "65001"); 0 for anything else.
unsigned codePageNamed(std::string_view value);
