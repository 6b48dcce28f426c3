#pragma once

#include "fake_messages.h"
#include "handle_per_match.h"
#include "regex_handle.h"
#include "rename_engine.h"
#include "table_code_page.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// Bytes as test names show them: printable ASCII as itself, every other byte, and the bytes
// that the test runner's lists take for escapes or separators, as %HH.
inline std::string visible(std::string_view bytes) {
    constexpr std::string_view escaped = "\\;%\"$#[]";
    std::string out;
    for (char ch : bytes) {
        auto b = static_cast<unsigned char>(ch);
        if (b >= 0x20 && b < 0x7F && escaped.find(ch) == std::string_view::npos) {
            out += ch;
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", b);
            out += hex;
        }
    }
    return out;
}

// The name the binding loads the real library by, taken before any test names another.
inline const std::string realLibraryName = RegexHandle::libraryName();

// The engine under code page 932, with the real regex library told to read Shift-JIS too.
class EngineTest : public ::testing::Test {
  protected:
    // The code page that the regex library reads its patterns and texts in, from its next open.
    static void useLibraryCodePage(const std::string& number) {
#ifdef _WIN32
        SetEnvironmentVariableA("JRE32_CODEPAGE", number.c_str());
#else
        setenv("JRE32_CODEPAGE", number.c_str(), 1);
#endif
    }
    static void SetUpTestSuite() {
        useLibraryCodePage("932");
    }
    void TearDown() override {
        useLibraryCodePage("932");
        RegexHandle::setLibraryName(realLibraryName);
    }

    // Prepares search as the test pass does; the pattern must be one that passes.
    void usePattern(const std::string& search, const std::string& replace) {
        engine.searchText = search;
        engine.replaceText = replace;
        ASSERT_TRUE(engine.preparePatternForPass()) << search;
    }

    TableCodePage codePage{932};
    FakeMessages messages;
    HandlePerMatch matcher;
    RenameEngine engine{codePage, messages, matcher};
};
