#pragma once

#include <windows.h>

#include <string>

namespace help_engine {

enum class HelpTab { contents, index, search };

// Shows the help window of the help file at `path` (an ANSI path): the contents tree, the
// index and a full-text search in tabs beside the page, the tab `tab` in front. `topic` names
// the page to show ("/search.html"); empty, the file's first page, or the page already shown.
// There is one help window in the process, owned by `caller`'s top-level window: asked again
// for the same file it comes to the front; asked for another file, or for the same file
// rebuilt since, it shows that one instead. Returns the window, or null when the file cannot
// be read or its page cannot be shown.
HWND showHelpWindow(HINSTANCE module, HWND caller, const std::string& path, HelpTab tab,
                    const std::string& topic);

} // namespace help_engine
