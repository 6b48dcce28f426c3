#include "hardware_input.h"
#include "help_engine.h"
#include "kibrel_fixture.h"
#include "message_box.h"
#include "resource.h"
#include "test_paths.h"
#include "wait.h"
#include "window_query.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace e2e {
namespace {

class ContextHelp : public KibrelFixture {
  protected:
    void SetUp() override {
        KibrelFixture::SetUp();
        engine_.emplace(folder_.path(), "recording_engine.dll");
        ASSERT_TRUE(engine_->valid()) << "the recording help engine could not be registered";
    }
    void TearDown() override {
        KibrelFixture::TearDown();
        engine_.reset();
    }

    std::optional<RecordingHelpEngine> engine_;
};

struct ControlPopup {
    int id;
    const char* name;
    int helpNumber;
};

const ControlPopup controlPopups[] = {
    {IDC_SEARCH, "Search box", 11001},    {IDC_REPLACE, "Replace box", 11002},
    {IDC_ACTION, "action button", 11003}, {IDC_LIST, "List", 11004},
    {IDC_UNLIST, "Unlist", 11005},        {IDC_EXIT, "Exit", 11006},
    {IDC_FILES, "file list", 11007},
};

TEST_F(ContextHelp, F1OnEachControlAsksForItsPopupAtThePointer) {
    const HWND window = startMainWindow();
    ASSERT_NE(window, nullptr);
    const std::string popupFile = programFolder() + "kibrel.chm::/cshelp.txt";
    for (std::size_t i = 0; i < std::size(controlPopups); ++i) {
        const ControlPopup& control = controlPopups[i];
        SCOPED_TRACE(control.name);
        ASSERT_TRUE(focusControl(window, childById(window, control.id)));
        const POINT pointer{300 + 17 * static_cast<LONG>(i), 600 - 13 * static_cast<LONG>(i)};
        ASSERT_TRUE(movePointer(pointer));
        ASSERT_TRUE(pressKeyAsUser(window, VK_F1));
        const std::vector<HelpEngineEvent> calls = engine_->waitForCalls(i + 1, defaultTimeoutMs);
        ASSERT_EQ(calls.size(), i + 1);
        const HelpEngineEvent& call = calls.back();
        EXPECT_EQ(call["command"], "14");
        EXPECT_EQ(call["idString"], std::to_string(control.helpNumber));
        EXPECT_EQ(call["pt"], std::to_string(pointer.x) + "," + std::to_string(pointer.y));
        EXPECT_EQ(call["file"], '"' + popupFile + '"');
    }
}

} // namespace
} // namespace e2e
