#include "code_page.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdlib>
#include <cstring>
#include <langinfo.h>
#endif

namespace jre32 {

namespace {

// The value of a text of decimal digits from 1 to 65535, else 0.
int codePageNumber(const char* text) {
    if (text == nullptr || *text == '\0')
        return 0;
    int value = 0;
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c < '0' || *c > '9')
            return 0;
        value = value * 10 + (*c - '0');
        if (value > 65535)
            return 0;
    }
    return value;
}

#ifdef _WIN32
int overriddenCodePage() {
    char value[16];
    DWORD n = GetEnvironmentVariableA("JRE32_CODEPAGE", value, sizeof value);
    if (n == 0 || n >= sizeof value)
        return 0;
    return codePageNumber(value);
}

int platformCodePage() {
    return static_cast<int>(GetACP());
}
#else
int overriddenCodePage() {
    return codePageNumber(std::getenv("JRE32_CODEPAGE"));
}

int platformCodePage() {
    return std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0 ? 65001 : 1252;
}
#endif

} // namespace

int processCodePage() {
    int overridden = overriddenCodePage();
    return overridden != 0 ? overridden : platformCodePage();
}

} // namespace jre32
