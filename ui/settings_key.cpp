#include "settings_key.h"

#include "settings_values.h"

#include <vector>

SettingsKey::SettingsKey() {
    if (RegCreateKeyExA(HKEY_CURRENT_USER, settingsKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key_, nullptr) != ERROR_SUCCESS)
        key_ = nullptr;
}

SettingsKey::~SettingsKey() {
    if (key_ != nullptr)
        RegCloseKey(key_);
}

// A value that fills its bytes without a terminator is taken up to its size only.
std::optional<std::string> SettingsKey::readText(const std::string& name, int limit) const {
    if (key_ == nullptr)
        return std::nullopt;
    std::vector<char> buffer(static_cast<std::size_t>(limit), '\0');
    DWORD type = 0;
    auto size = static_cast<DWORD>(limit);
    if (RegQueryValueExA(key_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                         &size) != ERROR_SUCCESS ||
        type != REG_SZ || size > static_cast<DWORD>(limit))
        return std::nullopt;
    return storedText(std::string_view(buffer.data(), size));
}

std::optional<DWORD> SettingsKey::readNumber(const char* name) const {
    if (key_ == nullptr)
        return std::nullopt;
    DWORD value = 0;
    DWORD type = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExA(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value)
        return std::nullopt;
    return value;
}

void SettingsKey::writeText(const std::string& name, const std::string& text) const {
    if (key_ != nullptr)
        RegSetValueExA(key_, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1));
}

void SettingsKey::writeNumber(const char* name, DWORD value) const {
    if (key_ != nullptr)
        RegSetValueExA(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                       sizeof value);
}
