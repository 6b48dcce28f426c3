#include "settings_key.h"

#include <windows.h>

namespace e2e {

bool removeSettings() {
    const LSTATUS status = RegDeleteTreeA(HKEY_CURRENT_USER, settingsKeyPath);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

} // namespace e2e
