#include "drop_files.h"

#include "remote_buffer.h"
#include "wait.h"

#include <shlobj.h>

namespace e2e {

// The drop handle of a WM_DROPFILES is a fixed global memory block of the receiving process,
// which the platform does not carry between processes: the block is written into the
// program's own memory, where DragQueryFileA reads it through the handle.
namespace {

template <typename Char>
bool drop(HWND window, const std::vector<std::basic_string<Char>>& paths, DWORD timeoutMs) {
    std::basic_string<Char> list;
    for (const std::basic_string<Char>& path : paths)
        list += path + Char(0);
    list += Char(0);
    const std::size_t bytes = list.size() * sizeof(Char);
    RemoteBuffer block(window, sizeof(DROPFILES) + bytes);
    DROPFILES header{};
    header.pFiles = sizeof(DROPFILES);
    header.fWide = sizeof(Char) > 1 ? TRUE : FALSE;
    if (!block.valid() || !block.write(&header, sizeof header) ||
        !block.write(list.data(), bytes, sizeof header))
        return false;
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(block.address()), 0,
                               SMTO_ABORTIFHUNG, timeoutMs, &ignored) != 0;
}

} // namespace

bool dropFiles(HWND window, const std::vector<std::string>& paths, DWORD timeoutMs) {
    return drop(window, paths, timeoutMs);
}

bool dropWideFiles(HWND window, const std::vector<std::wstring>& paths, DWORD timeoutMs) {
    return drop(window, paths, timeoutMs);
}

} // namespace e2e
