#pragma once

namespace e2e {

// The program's settings key under HKEY_CURRENT_USER.
constexpr const char* settingsKeyPath = "software\\Vosk\\Kibrel";

// Removes the settings key with its values, so that a run starts with no history and no saved
// window position; true when the key is gone.
bool removeSettings();

} // namespace e2e
