#pragma once

#include <windows.h>

#include <optional>
#include <string>

// The program's settings key, created when missing and closed when the object ends. When it
// cannot be opened every read gives nothing and every write is dropped, silently.
class SettingsKey {
  public:
    SettingsKey();
    ~SettingsKey();
    SettingsKey(const SettingsKey&) = delete;
    SettingsKey& operator=(const SettingsKey&) = delete;

    // A string value of at most `limit` bytes, terminator included; nothing when it is
    // missing, larger, or not a string.
    std::optional<std::string> readText(const std::string& name, int limit) const;
    // A 4-byte number; nothing when it is missing or not a REG_DWORD.
    std::optional<DWORD> readNumber(const char* name) const;

    // Writes the text whole with its terminator as REG_SZ.
    void writeText(const std::string& name, const std::string& text) const;
    void writeNumber(const char* name, DWORD value) const;

  private:
    HKEY key_ = nullptr;
};
