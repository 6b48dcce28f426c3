#pragma once

#include <string>

// The text of --help.
std::string helpText();

// The text of --version, with the regex library's version (high byte major, low byte minor).
std::string versionText(unsigned libraryVersion);

// The two lines of a usage error.
std::string usageErrorText(const std::string& error);
