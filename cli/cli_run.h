#pragma once

#include <cstdio>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// The exit statuses of the front end.
constexpr int exitAllRenamed = 0;
constexpr int exitSomeRowFailed = 1;
constexpr int exitRefused = 2;

// Runs the front end on the arguments that follow the program's name, of which those in
// notHeld are the forms of arguments that the code page could not hold exactly (on Windows):
// such a PATH gets no row and is named in a message (exit status 1 at least), such a Search or
// Replace text is a usage error. PATHs may come from in
// (--from-file=-), the new names go to out, every message to err. Returns the exit status: 0
// when every row with a new name was renamed (with a dry run, when no rename is foreseen to
// fail), 1 when some row failed, was refused or is foreseen to fail, 2 for a usage error, a
// refused pattern, a missing regex library, new names that could not be written or a journal
// that cannot be kept (nothing renamed then).
int runCli(const std::vector<std::string_view>& args, const std::set<std::string>& notHeld,
           std::FILE* in, std::FILE* out, std::FILE* err);
