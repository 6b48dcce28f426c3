#include "drop_files.h"

#include "remote_buffer.h"
#include "wait.h"

#include <shlobj.h>

namespace e2e {

// The drop handle of a WM_DROPFILES is a fixed global memory block of the receiving process,
// which the platform does not carry between processes: the block is written into the
// program's own memory, where DragQueryFileA reads it through the handle.
bool dropFiles(HWND window, const std::vector<std::string>& paths, DWORD timeoutMs) {
    std::string list;
    for (const std::string& path : paths)
        list += path + '\0';
    list += '\0';
    RemoteBuffer block(window, sizeof(DROPFILES) + list.size());
    DROPFILES header{};
    header.pFiles = sizeof(DROPFILES);
    header.fWide = FALSE;
    if (!block.valid() || !block.write(&header, sizeof header) ||
        !block.write(list.data(), list.size(), sizeof header))
        return false;
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(block.address()), 0,
                               SMTO_ABORTIFHUNG, timeoutMs, &ignored) != 0;
}

} // namespace e2e
