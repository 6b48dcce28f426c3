#include "kibrel_fixture.h"
#include "resource.h"
#include "user_input.h"
#include "wait.h"
#include "window_query.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

struct ClosingCase {
    const char* name;
    // Does what the user does to close the window; false when it could not be done.
    bool (*close)(HWND window);
};

class ClosingTheWindow : public KibrelFixture, public testing::WithParamInterface<ClosingCase> {};

TEST_P(ClosingTheWindow, EndsTheProcess) {
    const HWND window = startMainWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(GetParam().close(window));
    ASSERT_TRUE(program_.waitForExit(defaultTimeoutMs)) << "the program is still running";
    // The program returns 0; anything else would be a crash or a forced end.
    EXPECT_EQ(program_.exitCode(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    EveryWay, ClosingTheWindow,
    testing::Values(
        ClosingCase{"ExitButton",
                    [](HWND window) { return clickButton(childById(window, IDC_EXIT)); }},
        ClosingCase{"EscOnTheFocusedControl",
                    [](HWND window) { return pressKeyOnFocus(window, VK_ESCAPE); }},
        ClosingCase{"EscOnTheDialog", [](HWND window) { return pressKey(window, VK_ESCAPE); }},
        ClosingCase{"CloseBox", [](HWND window) { return pressCloseBox(window); }},
        ClosingCase{"SystemMenuClose",
                    [](HWND window) { return chooseSystemMenuClose(window, defaultTimeoutMs); }}),
    [](const testing::TestParamInfo<ClosingCase>& info) { return info.param.name; });

} // namespace
} // namespace e2e
