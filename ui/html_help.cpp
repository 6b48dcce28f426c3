#include "html_help.h"

#include <cstring>
#include <optional>
#include <string>

namespace {

using HtmlHelpEntry = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

constexpr const char* htmlHelpControlKey =
    "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";
constexpr const char* htmlHelpControlName = "hhctrl.ocx";
// HtmlHelpA's export ordinal in the HTML Help control.
constexpr WORD htmlHelpOrdinal = 14;
constexpr DWORD locationBuffer = MAX_PATH;

// The loader's state for the whole process; only the window's thread uses it.
struct EngineLoader {
    HMODULE module = nullptr;
    HtmlHelpEntry entry = nullptr;
    bool failed = false;
};
EngineLoader loader;

// The default value of the HTML Help control's registration, when it is a string that fits
// the 260-byte buffer with its terminating zero.
std::optional<std::string> registeredLocation() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, htmlHelpControlKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    char location[locationBuffer] = {};
    DWORD type = 0;
    DWORD size = sizeof location;
    LONG read =
        RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(location), &size);
    RegCloseKey(key);
    if (read != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    // The stored bytes need not end in a zero: the location is what stands before the first
    // one, and it must leave room for the terminating zero in the buffer.
    std::size_t length = strnlen(location, size);
    if (length == 0 || length == sizeof location)
        return std::nullopt;
    return std::string(location, length);
}

HMODULE loadEngine() {
    HMODULE module = nullptr;
    if (std::optional<std::string> location = registeredLocation())
        module = LoadLibraryA(location->c_str());
    if (module == nullptr)
        module = LoadLibraryA(htmlHelpControlName);
    return module;
}

} // namespace

HWND callHtmlHelp(HWND window, const char* file, UINT command, DWORD_PTR data) {
    if (loader.failed)
        return nullptr;
    if (loader.module == nullptr) {
        loader.module = loadEngine();
        if (loader.module == nullptr) {
            loader.failed = true;
            return nullptr;
        }
    }
    if (loader.entry == nullptr) {
        loader.entry = reinterpret_cast<HtmlHelpEntry>(reinterpret_cast<void*>(
            GetProcAddress(loader.module, MAKEINTRESOURCEA(htmlHelpOrdinal))));
        if (loader.entry == nullptr) {
            loader.failed = true;
            return nullptr;
        }
    }
    return loader.entry(window, file, command, data);
}
