#pragma once

#include "messages.h"

#include <string>
#include <string_view>

// The system's fixed texts, in UTF-8, in the two languages the program speaks: Japanese, the
// window's own, and English of the same meaning. The window converts them into the ANSI code
// page for the texts that are not in its string table (whose texts 10 to 14 ui_win32_tests
// holds equal to the Japanese ones), and the tests read them from here. kibrel-cli speaks them
// through its message catalog (cli/po/ja.po, English keys), which cli_tests
// (terminal_text_test.cpp) holds equal to the Japanese ones.

// Which language the fixed texts are shown in.
enum class TextLanguage { japanese, english };

// The language whose characters the ANSI code page can show: Japanese under code page 932,
// English under every other, so that a Japanese text is shown only where it can be read.
TextLanguage textLanguageFor(unsigned ansiCodePage);

// The text in Japanese.
std::string_view systemTextUtf8(SystemText id);

// The text in the given language; the English texts are ASCII, so that every code page holds
// them.
std::string_view systemTextUtf8(SystemText id, TextLanguage language);

// The caption of the message that reports a failed rename.
constexpr const char* renameFailedCaption = "ERROR!";

// The failure message of one rename: "[old] -> [new]", a line feed and " Rename Failed!!",
// followed by the reason in parentheses when the renamer gave one.
std::string renameFailedText(const std::string& oldPath, const std::string& newPath,
                             const std::string& reason = {});
