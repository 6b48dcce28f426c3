#pragma once

#include <string>

// The text of --help, in the user's language, in UTF-8.
std::string helpText();

// The text of --version, with the regex library's version (high byte major, low byte minor).
std::string versionText(unsigned libraryVersion);

// The two lines of a usage error, in the code page of the error's text.
std::string usageErrorText(const std::string& error, unsigned codePage);
