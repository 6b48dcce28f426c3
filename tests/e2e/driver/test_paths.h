#pragma once

#include "program_folder.h"

#include <string>

namespace e2e {

// programFolder() is the build's bin folder, where kibrel.exe and jre32.dll lie beside the
// test programs.
// kibrel.exe and jre32.dll under test: those of the build's bin folder, or of the folder that
// testKibrelIn named.
std::string kibrelPath();
std::string libraryPath();
// Tests the kibrel.exe and jre32.dll of `folder` (a release unpacked there) from now on.
void testKibrelIn(const std::string& folder);
// `<build>/artifacts/`: beside the bin folder that holds the test program.
std::string artifactsFolder();
// The Linux name of a Windows path when the platform is Wine, else the path itself.
std::string hostPath(const std::string& windowsPath);

} // namespace e2e
