#include "open_help_file.h"

#include <windows.h>

namespace help_engine {

std::optional<HelpFile> openHelpFile(const std::string& path) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    LARGE_INTEGER size{};
    std::string bytes;
    bool read = GetFileSizeEx(file, &size) && size.QuadPart >= 0 &&
                static_cast<unsigned long long>(size.QuadPart) <= maxHelpFileBytes;
    if (read) {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
        for (std::size_t done = 0; read && done < bytes.size();) {
            DWORD got = 0;
            read = ReadFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done),
                            &got, nullptr) &&
                   got > 0;
            done += got;
        }
    }
    CloseHandle(file);
    if (!read)
        return std::nullopt;
    return HelpFile::open(std::move(bytes));
}

} // namespace help_engine
