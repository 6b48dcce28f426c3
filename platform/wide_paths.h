#pragma once

#include <optional>
#include <string>
#include <string_view>

// Paths as the platform's wide calls take them, on Windows, where the ANSI calls would turn a
// character the code page lacks into a look-alike ("best fit") or "?". Tested by
// platform_tests.

// The characters of a text in the code page, only when its bytes are whole characters of it;
// nothing otherwise. The empty text is itself.
std::optional<std::wstring> wideFromCodePage(std::string_view text, unsigned codePage);

// The characters as bytes of the code page, only when it holds each of them exactly: no
// default character, no look-alike, and the bytes read back give the same characters; nothing
// otherwise.
std::optional<std::string> codePageFromWide(std::wstring_view wide, unsigned codePage);

// The characters in UTF-8; half of a surrogate pair standing alone becomes U+FFFD.
std::string utf8FromWide(std::wstring_view wide);

// Which file or folder the path names now, as the platform tells them apart: its index on its
// volume, which a rename, a write or a change of times leave as they are and which a file put
// in its place does not share (the volume is the path's own while nothing is mounted anew).
// Empty when nothing is there or the platform cannot tell (an index of 0).
std::string fileKey(const std::wstring& path);
