#include "combo_box.h"
#include "kibrel_fixture.h"
#include "resource.h"
#include "settings_key.h"
#include "user_input.h"
#include "wait.h"
#include "window_query.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace e2e {
namespace {

using namespace std::string_literals;
using Entries = std::vector<std::string>;

// The history lists and the window position in the registry of the test prefix, from one
// run of the program to the next.
class Settings : public KibrelFixture {
  protected:
    // Starts the program with one file listed, so that a test pass can run.
    void startProgram() {
        if (!folder_.writeFile("a-1"))
            FAIL() << "no file";
        window_ =
            startMainWindow(quotedProgram(kibrelPath()) + " \"" + folder_.pathOf("a-1") + '"');
        ASSERT_NE(window_, nullptr);
    }
    void closeProgram() {
        ASSERT_TRUE(clickButton(childById(window_, IDC_EXIT)));
        ASSERT_TRUE(program_.waitForExit(defaultTimeoutMs));
    }
    HWND box(int id) const { return childById(window_, id); }
    void typeInto(int id, const std::string& text) { ASSERT_TRUE(typeReplacing(box(id), text)); }
    void successfulTest(const std::string& search, const std::string& replace) {
        typeInto(IDC_SEARCH, search);
        typeInto(IDC_REPLACE, replace);
        const HWND action = childById(window_, IDC_ACTION);
        ASSERT_TRUE(clickButton(action));
        ASSERT_TRUE(waitUntil([&] { return windowText(action) == "Rename!"; }, defaultTimeoutMs));
    }
    bool centred() const {
        RECT work{};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        const RECT rect = windowRect(window_);
        return std::abs((rect.left + rect.right) - (work.left + work.right)) <= 1 &&
               std::abs((rect.top + rect.bottom) - (work.top + work.bottom)) <= 1;
    }
    POINT corner() const {
        const RECT rect = windowRect(window_);
        return {rect.left, rect.top};
    }
    void moveWindowTo(int x, int y) {
        ASSERT_TRUE(
            SetWindowPos(window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
        ASSERT_TRUE(
            waitUntil([&] { return corner().x == x && corner().y == y; }, defaultTimeoutMs));
    }

    HWND window_ = nullptr;
};

TEST_F(Settings, TheFirstRunCreatesTheKeyAndStoresOnlyThePosition) {
    ASSERT_NO_FATAL_FAILURE(startProgram());
    EXPECT_TRUE(settingsKeyExists()) << "created while the window initialises";
    EXPECT_EQ(comboEntries(box(IDC_SEARCH)), Entries{});
    EXPECT_EQ(comboEntries(box(IDC_REPLACE)), Entries{});
    EXPECT_TRUE(centred());
    const POINT at = corner();
    ASSERT_NO_FATAL_FAILURE(closeProgram());
    EXPECT_FALSE(readSetting("PastSearchKey0").has_value()) << "no test ran";
    EXPECT_FALSE(readSetting("PastReplaceKey0").has_value());
    EXPECT_EQ(readSettingNumber("x"), at.x);
    EXPECT_EQ(readSettingNumber("y"), at.y);
}

TEST_F(Settings, TheListsAndThePositionComeBackOnTheNextStart) {
    ASSERT_NO_FATAL_FAILURE(startProgram());
    ASSERT_NO_FATAL_FAILURE(successfulTest("P", "S"));
    ASSERT_NO_FATAL_FAILURE(successfulTest("Q", "T"));
    ASSERT_NO_FATAL_FAILURE(moveWindowTo(40, 30));
    ASSERT_NO_FATAL_FAILURE(closeProgram());
    EXPECT_EQ(readSettingText("PastSearchKey0"), "Q");
    EXPECT_EQ(readSettingText("PastSearchKey1"), "P");
    EXPECT_EQ(readSettingText("PastReplaceKey0"), "T");
    EXPECT_EQ(readSettingText("PastReplaceKey1"), "S");
    EXPECT_EQ(readSetting("PastSearchKey0")->data, "Q\0"s) << "written with its terminator";
    EXPECT_EQ(readSettingNumber("x"), 40);
    EXPECT_EQ(readSettingNumber("y"), 30);

    window_ = startMainWindow(quotedProgram(kibrelPath()));
    ASSERT_NE(window_, nullptr);
    EXPECT_EQ(comboEntries(box(IDC_SEARCH)), (Entries{"Q", "P"}));
    EXPECT_EQ(comboEntries(box(IDC_REPLACE)), (Entries{"T", "S"}));
    EXPECT_EQ(windowText(box(IDC_SEARCH)), "") << "no entry is selected";
    EXPECT_EQ(corner().x, 40);
    EXPECT_EQ(corner().y, 30);
}

TEST_F(Settings, GapsCloseUpOnLoadAndValuesBeyondTheListStay) {
    ASSERT_TRUE(writeSettingText("PastSearchKey0", "zero"));
    ASSERT_TRUE(writeSettingText("PastSearchKey2", "two"));
    ASSERT_TRUE(writeSettingText("PastSearchKey5", "five"));
    ASSERT_NO_FATAL_FAILURE(startProgram());
    EXPECT_EQ(comboEntries(box(IDC_SEARCH)), (Entries{"zero", "two", "five"}));
    ASSERT_NO_FATAL_FAILURE(closeProgram());
    EXPECT_EQ(readSettingText("PastSearchKey0"), "zero");
    EXPECT_EQ(readSettingText("PastSearchKey1"), "two");
    EXPECT_EQ(readSettingText("PastSearchKey2"), "five");
    EXPECT_EQ(readSettingText("PastSearchKey5"), "five") << "neither written nor deleted";
}

TEST_F(Settings, OnlyWhatFitsAndHasTheRightTypeLoads) {
    ASSERT_TRUE(writeSettingText("PastSearchKey0", std::string(99, 'a')));
    ASSERT_TRUE(writeSettingText("PastSearchKey1", std::string(100, 'b')));
    ASSERT_TRUE(writeSetting("PastSearchKey2", REG_SZ, "unterminated"));
    ASSERT_TRUE(writeSettingNumber("PastSearchKey3", 7));
    ASSERT_TRUE(writeSetting("PastReplaceKey0", REG_BINARY, "bin\0"s));
    ASSERT_TRUE(writeSettingText("PastReplaceKey1", "kept"));
    ASSERT_NO_FATAL_FAILURE(startProgram());
    EXPECT_EQ(comboEntries(box(IDC_SEARCH)), (Entries{std::string(99, 'a'), "unterminated"}));
    EXPECT_EQ(comboEntries(box(IDC_REPLACE)), (Entries{"kept"}));
}

TEST_F(Settings, AnEntryLongerThan99BytesIsStoredWhole) {
    const std::string longText(150, 'L');
    ASSERT_NO_FATAL_FAILURE(startProgram());
    ASSERT_NO_FATAL_FAILURE(successfulTest(longText, ""));
    ASSERT_NO_FATAL_FAILURE(closeProgram());
    EXPECT_EQ(readSettingText("PastSearchKey0"), longText);
}

struct PositionCase {
    const char* name;
    std::optional<DWORD> x;
    std::optional<DWORD> y;
};

class StoredPosition : public Settings, public testing::WithParamInterface<PositionCase> {};

TEST_P(StoredPosition, LeavesTheWindowCentred) {
    if (GetParam().x) {
        ASSERT_TRUE(writeSettingNumber("x", *GetParam().x));
    }
    if (GetParam().y) {
        ASSERT_TRUE(writeSettingNumber("y", *GetParam().y));
    }
    ASSERT_NO_FATAL_FAILURE(startProgram());
    EXPECT_TRUE(centred());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StoredPosition,
    testing::Values(PositionCase{"OnlyX", 40, std::nullopt},
                    PositionCase{"OnlyY", std::nullopt, 30},
                    PositionCase{"OnNoMonitor", 5000, 4000},
                    PositionCase{"LeftOfEveryMonitor", static_cast<DWORD>(-3000), 20}),
    [](const testing::TestParamInfo<PositionCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace e2e
