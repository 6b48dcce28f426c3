#include "regex_library.h"

#include "property.h"
#include "regex_handle.h"

#include <cstdlib>
#include <string>

void useRegexLibrary(unsigned codePage) {
    static RegexHandle keeper;
    static const int opened = keeper.open();
    require(opened == 1, "the regex library loads beside the fuzz target");
    setenv("JRE32_CODEPAGE", std::to_string(codePage).c_str(), 1);
}
