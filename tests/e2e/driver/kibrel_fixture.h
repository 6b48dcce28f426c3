#pragma once

#include "program_process.h"
#include "temp_folder.h"
#include "test_paths.h"

#include <gtest/gtest.h>

#include <string>

namespace e2e {

// A test that runs kibrel.exe: a temporary folder of its own, which is the program's current
// folder, no settings key before or after, and no process of the program left behind.
class KibrelFixture : public testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // The program's own path in double quotes: the command line that carries no files.
    static std::string quotedProgram(const std::string& programPath);

    // Starts `programPath` (the build's kibrel.exe by default) with exactly `commandLine`.
    testing::AssertionResult start(const std::string& commandLine,
                                   const std::string& programPath = kibrelPath());
    // Starts the build's kibrel.exe with a command line in wide characters.
    testing::AssertionResult start(const std::wstring& commandLine);
    // Starts the program and waits for its main window; null (and a failure) when it does not
    // appear.
    HWND startMainWindow(const std::string& commandLine);
    HWND startMainWindow() { return startMainWindow(quotedProgram(kibrelPath())); }
    // Starts a copy of kibrel.exe alone in the test's folder, which is also its current
    // folder, with a PATH of the system folders only: nowhere to find a jre32.dll.
    testing::AssertionResult startWithoutLibrary();

    TempFolder folder_;
    ProgramProcess program_;
};

} // namespace e2e
