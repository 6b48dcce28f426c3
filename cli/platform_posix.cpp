#include "platform.h"

#include "code_page_choice.h"
#include "table_code_page.h"

#include <cstdlib>
#include <cstring>
#include <langinfo.h>

unsigned defaultCodePage() {
    return std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0 ? utf8CodePage : westernCodePage;
}

std::string codePageRefusal(unsigned) {
    return {};
}

void setLibraryCodePage(unsigned codePage) {
    setenv("JRE32_CODEPAGE", std::to_string(codePage).c_str(), 1);
}

PathParts pathParts(std::string_view path, const CodePage&) {
    static const TableCodePage bytes(westernCodePage);
    return splitPath(path, "/", bytes);
}
