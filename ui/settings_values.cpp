#include "settings_values.h"

#include <cstdio>

std::string historyValueName(const char* format, int index) {
    char name[32];
    std::snprintf(name, sizeof name, format, index);
    return name;
}

std::string storedText(std::string_view data) {
    return std::string(data.substr(0, data.find('\0')));
}
