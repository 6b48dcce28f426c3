#pragma once

#include <cstdio>
#include <string>
#include <vector>

// The exit statuses of the front end.
constexpr int exitAllRenamed = 0;
constexpr int exitSomeRowFailed = 1;
constexpr int exitRefused = 2;

// Runs the front end on the arguments that follow the program's name: the new names go to
// out, every message to err. Returns the exit status: 0 when every row with a new name was
// renamed (with a dry run, when no new name was refused), 1 when some row failed or was
// refused, 2 for a usage error, a refused pattern or a missing regex library.
int runCli(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);
