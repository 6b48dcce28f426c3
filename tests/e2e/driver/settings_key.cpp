#include "settings_key.h"

#include <vector>

namespace e2e {

bool removeSettings() {
    const LSTATUS status = RegDeleteTreeA(HKEY_CURRENT_USER, settingsKeyPath);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

bool settingsKeyExists() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, settingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

bool writeSetting(const std::string& name, DWORD type, const std::string& data) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, settingsKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return false;
    const bool written =
        RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                       static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
    RegCloseKey(key);
    return written;
}

bool writeSettingText(const std::string& name, const std::string& text) {
    return writeSetting(name, REG_SZ, std::string(text.c_str(), text.size() + 1));
}

bool writeSettingNumber(const std::string& name, DWORD value) {
    return writeSetting(name, REG_DWORD,
                        std::string(reinterpret_cast<const char*>(&value), sizeof value));
}

std::optional<StoredValue> readSetting(const std::string& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, settingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    StoredValue value;
    DWORD size = 0;
    std::optional<StoredValue> result;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &value.type, nullptr, &size) ==
        ERROR_SUCCESS) {
        std::vector<char> data(size + 1, '\0');
        if (RegQueryValueExA(key, name.c_str(), nullptr, &value.type,
                             reinterpret_cast<BYTE*>(data.data()), &size) == ERROR_SUCCESS) {
            value.data.assign(data.data(), size);
            result = value;
        }
    }
    RegCloseKey(key);
    return result;
}

std::optional<std::string> readSettingText(const std::string& name) {
    std::optional<StoredValue> value = readSetting(name);
    if (!value || value->type != REG_SZ)
        return std::nullopt;
    std::string text = value->data;
    if (!text.empty() && text.back() == '\0')
        text.pop_back();
    return text;
}

std::optional<LONG> readSettingNumber(const std::string& name) {
    std::optional<StoredValue> value = readSetting(name);
    if (!value || value->type != REG_DWORD || value->data.size() != sizeof(DWORD))
        return std::nullopt;
    DWORD number = 0;
    value->data.copy(reinterpret_cast<char*>(&number), sizeof number);
    return static_cast<LONG>(number);
}

} // namespace e2e
