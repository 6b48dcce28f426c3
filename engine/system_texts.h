#pragma once

#include "messages.h"

#include <string>
#include <string_view>

// The system's fixed texts in Japanese, in UTF-8: the window converts them into the ANSI code
// page for the texts that are not in its string table (whose texts 10 to 14 ui_win32_tests
// holds equal to these), and the tests read them from here. kibrel-cli speaks them through its
// message catalog (cli/po/ja.po, English keys), which cli_tests (terminal_text_test.cpp) holds
// equal to these.
std::string_view systemTextUtf8(SystemText id);

// The English form of text 102, which the window shows under a code page other than 932 and
// which is the key of kibrel-cli's catalog.
constexpr const char* pathsNotHeldEnglish =
    "These paths hold characters that this system's code page lacks (shown as ?), so they are "
    "left out:";

// The caption of the message that reports a failed rename.
constexpr const char* renameFailedCaption = "ERROR!";

// The failure message of one rename: "[old] -> [new]", a line feed and " Rename Failed!!",
// followed by the reason in parentheses when the renamer gave one.
std::string renameFailedText(const std::string& oldPath, const std::string& newPath,
                             const std::string& reason = {});
