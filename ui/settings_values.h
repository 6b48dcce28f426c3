#pragma once

#include <string>
#include <string_view>

// The registry key of the program's settings under the current user, and its values.
constexpr const char* settingsKeyPath = "software\\Vosk\\Kibrel";
constexpr const char* searchHistoryFormat = "PastSearchKey%d";
constexpr const char* replaceHistoryFormat = "PastReplaceKey%d";
constexpr const char* positionXName = "x";
constexpr const char* positionYName = "y";
constexpr int storedHistoryEntries = 8;
// A stored history value is read through a buffer of this many bytes, terminator included.
constexpr int historyReadLimit = 100;

// The name of history value `index` of a format: the index in decimal, no leading zeros.
std::string historyValueName(const char* format, int index);

// The text of a stored string value: its bytes up to the first zero byte, or all of them
// when none ends it.
std::string storedText(std::string_view data);
