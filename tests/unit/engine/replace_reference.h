#pragma once

#include "code_page.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The Replace text expanded the plain way, to hold expandReplacement to: the text is first cut
// into the characters of the code page, then read one character at a time, each escape looking
// at the whole character behind its backslash, and every character put in goes through the case
// asked for at that moment. Used by the expansion's differential test and the new_name fuzzer.
std::string referenceExpansion(std::string_view replace,
                               const std::vector<std::string_view>& captures, const CodePage& cp,
                               std::uint64_t number);
