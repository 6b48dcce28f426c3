#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace help_engine {

// The ANSI code page of the language a help file was compiled for (its language id): the
// code page of its contents, its index, its pop-up texts and of pages that declare none.
unsigned codePageForLanguage(std::uint32_t languageId);

// The code page of a charset that a page declares ("Shift_JIS", "utf-8"), when it is known.
std::optional<unsigned> codePageForCharset(std::string_view charset);

// Text of the code page `codePage` in UTF-16; what the code page cannot decode becomes
// U+FFFD. The platform converts: MultiByteToWideChar on Windows (decode_text_win32.cpp),
// iconv natively (decode_text_iconv.cpp).
std::u16string decodeText(std::string_view bytes, unsigned codePage);

std::string utf8FromUtf16(std::u16string_view text);

} // namespace help_engine
