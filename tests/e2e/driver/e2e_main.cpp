#include "failure_screenshots.h"
#include "test_paths.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

// Besides GoogleTest's own arguments, --kibrel-folder=FOLDER runs the tests against the
// kibrel.exe and jre32.dll of FOLDER instead of the build's.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const std::string folderOption = "--kibrel-folder=";
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.rfind(folderOption, 0) != 0) {
            std::fprintf(stderr, "unknown argument: %s\n", argv[i]);
            return 2;
        }
        e2e::testKibrelIn(argument.substr(folderOption.size()));
    }
    testing::UnitTest::GetInstance()->listeners().Append(new e2e::FailureScreenshots);
    return RUN_ALL_TESTS();
}
