#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// Ends the run with a report when a property does not hold, so that libFuzzer keeps the input
// as a finding. The texts of the context are shown as hexadecimal bytes.
void require(bool holds, const char* property,
             std::initializer_list<std::string_view> context = {});

// The bytes as hexadecimal pairs separated by spaces.
std::string hexBytes(std::string_view bytes);
