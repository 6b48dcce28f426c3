#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// The entries of a combo box's drop-down list, entry 0 first.
std::vector<std::string> comboEntries(HWND combo);
// CB_GETCURSEL: the selected entry, or -1.
int comboSelection(HWND combo);

} // namespace e2e
