#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace e2e {

// The program's settings key under HKEY_CURRENT_USER.
constexpr const char* settingsKeyPath = "software\\Vosk\\Kibrel";

// Removes the settings key with its values, so that a run starts with no history and no saved
// window position; true when the key is gone.
bool removeSettings();
bool settingsKeyExists();

// Values of the settings key as another version of the program, or a person, may have left
// them: `data` is written byte for byte with the given type.
bool writeSetting(const std::string& name, DWORD type, const std::string& data);
bool writeSettingText(const std::string& name, const std::string& text); // with its terminator
bool writeSettingNumber(const std::string& name, DWORD value);

// What a value holds: its type and its bytes; nothing when it is missing.
struct StoredValue {
    DWORD type = 0;
    std::string data;
};
std::optional<StoredValue> readSetting(const std::string& name);
// A REG_SZ value's text without its terminator; nothing when missing or of another type.
std::optional<std::string> readSettingText(const std::string& name);
std::optional<LONG> readSettingNumber(const std::string& name);

} // namespace e2e
