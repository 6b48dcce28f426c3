#include "platform.h"

#include <windows.h>

unsigned defaultCodePage() {
    return GetACP();
}

std::string codePageRefusal(unsigned codePage) {
    unsigned ansi = GetACP();
    if (codePage == ansi)
        return {};
    return "code page " + std::to_string(codePage) +
           " cannot be used here: on Windows names are in the ANSI code page, " +
           std::to_string(ansi);
}

void setLibraryCodePage(unsigned codePage) {
    SetEnvironmentVariableA("JRE32_CODEPAGE", std::to_string(codePage).c_str());
}

PathParts pathParts(std::string_view path, const CodePage& codePage) {
    return splitPath(path, "\\/", codePage);
}
