#pragma once

#include <string>

namespace e2e {

// The folder of the running test program, with its trailing backslash: the build's bin
// folder, where kibrel.exe and jre32.dll lie beside the test programs.
std::string programFolder();
std::string kibrelPath();
std::string libraryPath();
// `<build>/artifacts/`: beside the bin folder that holds the test program.
std::string artifactsFolder();
// The Linux name of a Windows path when the platform is Wine, else the path itself.
std::string hostPath(const std::string& windowsPath);

} // namespace e2e
