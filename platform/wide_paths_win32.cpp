#include "wide_paths.h"

#include <windows.h>
#include <winternl.h>

#include <climits>

std::optional<std::wstring> wideFromCodePage(std::string_view text, unsigned codePage) {
    if (text.empty())
        return std::wstring();
    if (text.size() > INT_MAX)
        return std::nullopt;
    const int length = static_cast<int>(text.size());
    const int wideLength =
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0);
    if (wideLength <= 0)
        return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), length, wide.data(),
                            wideLength) != wideLength)
        return std::nullopt;
    return wide;
}

std::optional<std::string> codePageFromWide(std::wstring_view wide, unsigned codePage) {
    if (wide.empty())
        return std::string();
    if (wide.size() > INT_MAX)
        return std::nullopt;
    const int wideLength = static_cast<int>(wide.size());
    // UTF-8 takes neither flag nor default character: a lone surrogate fails the call instead.
    const bool utf8 = codePage == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* defaultUsed = utf8 ? nullptr : &usedDefault;
    const int length = WideCharToMultiByte(codePage, flags, wide.data(), wideLength, nullptr, 0,
                                           nullptr, defaultUsed);
    if (length <= 0 || usedDefault)
        return std::nullopt;
    std::string text(static_cast<std::size_t>(length), '\0');
    if (WideCharToMultiByte(codePage, flags, wide.data(), wideLength, text.data(), length, nullptr,
                            defaultUsed) != length ||
        usedDefault)
        return std::nullopt;
    const std::optional<std::wstring> back = wideFromCodePage(text, codePage);
    if (!back || *back != wide)
        return std::nullopt;
    return text;
}

std::string utf8FromWide(std::wstring_view wide) {
    if (wide.empty() || wide.size() > INT_MAX)
        return {};
    const int wideLength = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return {};
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, text.data(), length, nullptr, nullptr);
    return text;
}

std::string fileKey(const std::wstring& path) {
    HANDLE file = CreateFileW(
        path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    // The index alone: GetFileInformationByHandle asks the volume too, which under Wine costs
    // many times the rest, for each of the thousands of files a drop may list.
    IO_STATUS_BLOCK status{};
    FILE_INTERNAL_INFORMATION info{};
    const bool known = NT_SUCCESS(
        NtQueryInformationFile(file, &status, &info, sizeof info, FileInternalInformation));
    CloseHandle(file);
    if (!known || info.IndexNumber.QuadPart == 0)
        return {};
    return std::to_string(info.IndexNumber.QuadPart);
}
