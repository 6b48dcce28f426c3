#include "open_help_file.h"

#include "opened_help_files.h"

#include <windows.h>

#include <cstdint>
#include <optional>

namespace help_engine {

namespace {

std::optional<std::string> fileBytes(HANDLE file, std::uint64_t size) {
    if (size > maxHelpFileBytes)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    for (std::size_t done = 0; done < bytes.size();) {
        DWORD got = 0;
        if (!ReadFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &got,
                      nullptr) ||
            got == 0)
            return std::nullopt;
        done += got;
    }
    return bytes;
}

std::uint64_t joined(DWORD high, DWORD low) {
    return std::uint64_t{high} << 32 | low;
}

} // namespace

std::shared_ptr<HelpFile> openHelpFile(const std::string& path) {
    static OpenedHelpFiles opened;
    const HANDLE handle =
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return nullptr;
    // Closed however the reading ends, an exception included.
    const std::unique_ptr<void, decltype(&CloseHandle)> file(handle, CloseHandle);
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(handle, &information))
        return nullptr;
    const FileStamp stamp{joined(information.nFileSizeHigh, information.nFileSizeLow),
                          joined(information.ftLastWriteTime.dwHighDateTime,
                                 information.ftLastWriteTime.dwLowDateTime)};
    return opened.open(path, stamp, [&] { return fileBytes(handle, stamp.size); });
}

} // namespace help_engine
