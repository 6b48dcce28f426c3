#pragma once

#include <string>

// The folder of the running program, with its trailing separator ('/' natively, '\' on
// Windows), or empty when it cannot be known. Beside the program lie its regex library, its
// catalog in a build tree, and the programs and files its tests and benchmarks use.
std::string programFolder();
