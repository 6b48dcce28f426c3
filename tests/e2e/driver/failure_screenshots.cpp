#include "failure_screenshots.h"

#include "screen_capture.h"
#include "test_paths.h"

#include <windows.h>

#include <cstdio>

namespace e2e {

void FailureScreenshots::OnTestStart(const testing::TestInfo& test) {
    testName_ = std::string(test.test_suite_name()) + "." + test.name();
    for (char& c : testName_) {
        if (c == '/' || c == '\\' || c == ':')
            c = '_';
    }
    taken_ = false;
}

void FailureScreenshots::OnTestPartResult(const testing::TestPartResult& result) {
    if (!result.failed() || taken_ || testName_.empty())
        return;
    taken_ = true;
    const std::string folder = artifactsFolder();
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string file = folder + testName_ + ".bmp";
    if (writeBitmapFile(captureWholeScreen(), file))
        std::printf("[ SCREENSHOT ] %s\n", hostPath(file).c_str());
    else
        std::printf("[ SCREENSHOT ] could not be written to %s\n", file.c_str());
    std::fflush(stdout);
}

} // namespace e2e
