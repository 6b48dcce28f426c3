#pragma once

#include "jre32.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

// What one search reported.
struct Found {
    bool found;
    int position;
    int length;
    bool operator==(const Found&) const = default;
};

// Makes the records opened from now on work in the given code page.
inline void useCodePage(const char* codePage) {
#ifdef _WIN32
    std::string setting = std::string("JRE32_CODEPAGE=") + codePage;
    _putenv(setting.c_str());
#else
    setenv("JRE32_CODEPAGE", codePage, 1);
#endif
}

// One record of the library, filled as a caller does: zeroed, sized 54, opened; closed at
// the end. Patterns and texts go in as writable copies.
class JreSession {
  public:
    static constexpr int recordSize = 54;

    explicit JreSession(const char* codePage = "1252") {
        useCodePage(codePage);
        setField(0, recordSize);
        opened_ = Jre2Open(record_.data());
    }
    ~JreSession() { Jre2Close(record_.data()); }
    JreSession(const JreSession&) = delete;
    JreSession& operator=(const JreSession&) = delete;

    int opened() const { return opened_; }
    void* record() { return record_.data(); }

    int compile(const std::string& pattern) {
        std::vector<char> copy(pattern.begin(), pattern.end());
        copy.push_back('\0');
        return Jre2Compile(record_.data(), copy.data());
    }

    Found search(const std::string& text, int startOffset = 0) {
        std::vector<char> copy(text.begin(), text.end());
        copy.push_back('\0');
        setField(8, startOffset);
        int result = Jre2GetMatchInfo(record_.data(), copy.data());
        return {result != 0, field(24), field(20)};
    }

    std::string message() {
        char buffer[128];
        GetJreMessage(record_.data(), buffer, sizeof buffer);
        return buffer;
    }

    std::int32_t field(int at) const {
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i)
            v = v << 8 | record_[static_cast<std::size_t>(at + i)];
        return static_cast<std::int32_t>(v);
    }
    void setField(int at, std::int32_t value) {
        auto v = static_cast<std::uint32_t>(value);
        for (int i = 0; i < 4; ++i)
            record_[static_cast<std::size_t>(at + i)] = static_cast<unsigned char>(v >> (8 * i));
    }

  private:
    std::array<unsigned char, recordSize> record_{};
    int opened_ = 0;
};
