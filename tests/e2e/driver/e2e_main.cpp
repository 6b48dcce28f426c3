#include "failure_screenshots.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new e2e::FailureScreenshots);
    return RUN_ALL_TESTS();
}
