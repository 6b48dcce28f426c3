#pragma once

#include "wait.h"

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// Drops `paths` (code page 932) on `window` as the shell does: a WM_DROPFILES whose handle is
// a block with a DROPFILES header and the paths, each ended by a zero byte, the list by a
// second one. Sent, so the drop has been handled when this returns.
bool dropFiles(HWND window, const std::vector<std::string>& paths,
               DWORD timeoutMs = defaultTimeoutMs);
// The same with the paths in wide characters, as the shell drops names that code page 932
// cannot hold.
bool dropWideFiles(HWND window, const std::vector<std::wstring>& paths,
                   DWORD timeoutMs = defaultTimeoutMs);

} // namespace e2e
