#pragma once

#include <string_view>

// The code pages the front end works in, by their Windows numbers.
constexpr unsigned shiftJisCodePage = 932;
constexpr unsigned westernCodePage = 1252;
constexpr unsigned utf8CodePage = 65001;

// The code page that a --code-page value names: "932", "1252", or "utf-8" (in any case, also
// "utf8" and "65001"); 0 for anything else.
unsigned codePageNamed(std::string_view value);
