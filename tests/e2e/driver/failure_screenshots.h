#pragma once

#include <gtest/gtest.h>

#include <string>

namespace e2e {

// Keeps what the screen showed at a test's first failed check as
// `<build>/artifacts/<suite>.<test>.bmp`, and names the file in the test's output.
class FailureScreenshots : public testing::EmptyTestEventListener {
  public:
    void OnTestStart(const testing::TestInfo& test) override;
    void OnTestPartResult(const testing::TestPartResult& result) override;

  private:
    std::string testName_;
    bool taken_ = false;
};

} // namespace e2e
