#include "hardware_input.h"
#include "help_click_request.h"
#include "help_engine.h"
#include "kibrel_fixture.h"
#include "message_box.h"
#include "resource.h"
#include "test_paths.h"
#include "user_input.h"
#include "wait.h"
#include "window_query.h"

#include <gtest/gtest.h>
#include <htmlhelp.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace e2e {
namespace {

constexpr const char* popupTexts = "::/cshelp.txt";
// Long enough for a message box, wrongly shown, to be on screen.
constexpr DWORD settleMs = 500;

std::string quoted(const std::string& text) {
    return '"' + text + '"';
}

std::string errorContextId(const std::string& helpFile, const std::string& numbers) {
    return "Error Context ID\n\n   File Path [ " + helpFile + " ]\n  ContextID [" + numbers + "]";
}

std::string notExist(const std::string& helpFile) {
    return "Not Exist Html Help File\n\n   File Path [ " + helpFile + " ]";
}

// Help in the main window as a user asks for it, with the program's help requests recorded
// by a help engine of the test's own.
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

    // Starts the build's program, whose help file lies beside it, with one file listed.
    void startWithFile() {
        ASSERT_TRUE(folder_.writeFile("a.txt", "a"));
        window_ = startMainWindow(quotedProgram(kibrelPath()) + " " + folder_.pathOf("a.txt"));
        ASSERT_NE(window_, nullptr);
    }
    HWND control(int id) const { return childById(window_, id); }

    void pressF1On(int id, std::initializer_list<UINT> held = {}) {
        ASSERT_TRUE(focusControl(window_, control(id))) << "control " << id;
        ASSERT_TRUE(pressKeyAsUser(window_, VK_F1, held));
    }
    // The menu bar's "Help(&H)", chosen with its mnemonic.
    void chooseHelpMenu() { ASSERT_TRUE(pressKeyAsUser(window_, 'H', {VK_MENU})); }

    // Types Search and Replace texts and presses "Test"; true when the button then reads
    // `button`.
    bool test(const std::string& search, const std::string& replace, const std::string& button) {
        if (!typeText(control(IDC_SEARCH), search) || !typeText(control(IDC_REPLACE), replace) ||
            !clickButton(control(IDC_ACTION)))
            return false;
        return waitUntil([&] { return windowText(control(IDC_ACTION)) == button; },
                         defaultTimeoutMs);
    }

    // The `count`th call of the engine, once it has come.
    HelpEngineEvent call(std::size_t count) {
        const std::vector<HelpEngineEvent> calls = engine_->waitForCalls(count, defaultTimeoutMs);
        EXPECT_GE(calls.size(), count) << "calls of the help engine";
        return calls.size() >= count ? calls[count - 1] : HelpEngineEvent{};
    }
    // The message box that is in front, other than `besides`.
    MessageBoxView waitForBox(HWND besides = nullptr) {
        HWND box = nullptr;
        waitUntil(
            [&] {
                for (HWND window : program_.visibleWindows()) {
                    if (window != besides && isMessageBox(window))
                        return (box = window) != nullptr;
                }
                return false;
            },
            defaultTimeoutMs);
        EXPECT_NE(box, nullptr) << "no message box appeared";
        return box != nullptr ? readMessageBox(box) : MessageBoxView{};
    }
    std::string helpFile() const { return programFolder() + "kibrel.chm"; }
    std::string window() const {
        char text[32];
        std::snprintf(text, sizeof text, "0x%llx",
                      static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(window_)));
        return text;
    }

    std::optional<RecordingHelpEngine> engine_;
    HWND window_ = nullptr;
};

struct ControlPopup {
    int id;
    const char* name;
    const char* unarmed;
    const char* armed;
};

// While armed the Replace box and the action button show the same pop-up.
const ControlPopup controlPopups[] = {
    {IDC_SEARCH, "Search box", "11001", "11001"},    {IDC_REPLACE, "Replace box", "11002", "11008"},
    {IDC_ACTION, "action button", "11003", "11008"}, {IDC_LIST, "List", "11004", "11004"},
    {IDC_UNLIST, "Unlist", "11005", "11005"},        {IDC_EXIT, "Exit", "11006", "11006"},
    {IDC_FILES, "file list", "11007", "11007"},
};

TEST_F(ContextHelp, F1OnEachControlAsksForItsPopupAtThePointer) {
    startWithFile();
    for (std::size_t i = 0; i < std::size(controlPopups); ++i) {
        const ControlPopup& popup = controlPopups[i];
        SCOPED_TRACE(popup.name);
        // Wherever the pointer is, not at the control.
        const POINT pointer{300 + 17 * static_cast<LONG>(i), 900 - 13 * static_cast<LONG>(i)};
        ASSERT_TRUE(movePointer(pointer));
        pressF1On(popup.id);
        const HelpEngineEvent request = call(i + 1);
        EXPECT_EQ(request["command"], "14");
        EXPECT_EQ(request["idString"], popup.unarmed);
        EXPECT_EQ(request["pt"], std::to_string(pointer.x) + "," + std::to_string(pointer.y));
        EXPECT_EQ(request["file"], quoted(helpFile() + popupTexts));
        EXPECT_EQ(request["window"], window());
    }
    EXPECT_EQ(program_.findMessageBox(), nullptr);
}

// The caption's help button and a click: nothing for the two labels, the pop-up for a
// control, the general help for the window itself.
TEST_F(ContextHelp, HelpClickGivesNothingForLabelsAndPopupsForControlAndWindow) {
    startWithFile();
    const std::vector<HWND> children = childWindows(window_);
    std::vector<HWND> labels;
    for (HWND child : children) {
        if (controlId(child) == IDC_STATIC)
            labels.push_back(child);
    }
    ASSERT_EQ(labels.size(), 2u);
    for (HWND label : labels)
        ASSERT_TRUE(clickForHelp(program_, window_, label, {20, 30})) << windowText(label);
    ASSERT_TRUE(clickForHelp(program_, window_, control(IDC_REPLACE), {40, 50}));
    ASSERT_TRUE(clickForHelp(program_, window_, window_, {60, 70}));
    const std::vector<HelpEngineEvent> calls = engine_->waitForCalls(2, defaultTimeoutMs);
    ASSERT_EQ(calls.size(), 2u) << "the labels asked for help";
    EXPECT_EQ(calls[0]["idString"], "11002");
    EXPECT_EQ(calls[1]["idString"], "102");
    EXPECT_EQ(program_.findMessageBox(), nullptr);
}

TEST_F(ContextHelp, PopupRecordAsksForTheEnginesOwnLook) {
    startWithFile();
    pressF1On(IDC_SEARCH);
    const HelpEngineEvent request = call(1);
    EXPECT_EQ(request["cbStruct"], std::to_string(sizeof(HH_POPUP)));
    EXPECT_EQ(request["hinst"], "0x0");
    EXPECT_EQ(request["pszText"], "null");
    EXPECT_EQ(request["clrForeground"], "0xffffffff");
    EXPECT_EQ(request["clrBackground"], "0xffffffff");
    EXPECT_EQ(request["rcMargins"], "-1,-1,-1,-1");
    EXPECT_EQ(request["pszFont"], "null");
}

TEST_F(ContextHelp, WhileArmedReplaceBoxAndButtonShowTheArmedPopup) {
    startWithFile();
    ASSERT_TRUE(test("a", "b", "Rename!"));
    for (std::size_t i = 0; i < std::size(controlPopups); ++i) {
        const ControlPopup& popup = controlPopups[i];
        SCOPED_TRACE(popup.name);
        pressF1On(popup.id);
        EXPECT_EQ(call(i + 1)["idString"], popup.armed);
    }
    ASSERT_EQ(windowText(control(IDC_ACTION)), "Rename!") << "help must leave the pass alone";
}

TEST_F(ContextHelp, FailedPopupOfTheArmedButtonNamesTheNumberAsAskedFor) {
    startWithFile();
    ASSERT_TRUE(test("a", "b", "Rename!"));
    ASSERT_TRUE(engine_->answer(0));
    pressF1On(IDC_ACTION);
    EXPECT_EQ(call(1)["idString"], "11008");
    const MessageBoxView box = waitForBox();
    EXPECT_EQ(box.text, errorContextId(helpFile(), "0x0 + 0x2afa(11002)"));
}

TEST_F(ContextHelp, FailedPopupShowsTheErrorContextIdMessage) {
    startWithFile();
    ASSERT_TRUE(engine_->answer(0));
    pressF1On(IDC_SEARCH);
    const MessageBoxView box = waitForBox();
    EXPECT_EQ(box.text, errorContextId(helpFile(), "0x0 + 0x2af9(11001)"));
    EXPECT_EQ(box.caption, "kibrel");
    EXPECT_EQ(box.owner, window_);
    EXPECT_STREQ(iconName(box.icon), iconName(BoxIcon::warning)) << "the exclamation icon";
    ASSERT_EQ(box.buttons.size(), 1u);
    EXPECT_EQ(box.buttons.front().id, IDOK);
    ASSERT_TRUE(pressBoxButton(box.window, IDOK));
    EXPECT_TRUE(waitUntil([&] { return program_.findMessageBox() == nullptr; }, defaultTimeoutMs));
}

// F1 in a message box that carries no help number asks for the window as a whole, unless
// Shift, Ctrl or Alt is held down. Each press has a pointer position of its own, which the
// request it gives carries.
TEST_F(ContextHelp, F1ElsewhereAsksForTheWindowUnlessAModifierIsHeld) {
    startWithFile();
    ASSERT_TRUE(engine_->answer(0));
    pressF1On(IDC_SEARCH);
    const MessageBoxView box = waitForBox();
    ASSERT_NE(box.window, nullptr);
    ASSERT_TRUE(engine_->answer(1));
    LONG y = 100;
    for (UINT modifier : {VK_SHIFT, VK_CONTROL, VK_MENU}) {
        ASSERT_TRUE(movePointer({100, y += 50}));
        ASSERT_TRUE(pressKeyAsUser(box.window, VK_F1, {modifier}));
        Sleep(settleMs);
    }
    ASSERT_TRUE(movePointer({700, 700}));
    ASSERT_TRUE(pressKeyAsUser(box.window, VK_F1));
    const HelpEngineEvent request = call(2);
    EXPECT_EQ(request["command"], "14");
    EXPECT_EQ(request["idString"], "102");
    EXPECT_EQ(request["pt"], "700,700") << "a request came from a key with a modifier held";
}

// F1 in the message asks for its help number. Its Help button would too, but Wine's message
// box does not act on that button ("Help button not supported yet"). Wine hands F1 in a
// message box to its owner twice, so each press may give two requests.
TEST_F(ContextHelp, F1InTheBracesInParenthesesMessageAsksForItsOwnPopup) {
    startWithFile();
    ASSERT_TRUE(test("({a})", "b", "Test")) << "the pass should end at the message";
    const MessageBoxView box = waitForBox();
    ASSERT_NE(box.window, nullptr);
    ASSERT_EQ(box.buttons.size(), 2u);
    EXPECT_EQ(box.buttons.back().id, IDHELP);

    ASSERT_TRUE(pressKeyAsUser(box.window, VK_F1));
    const HelpEngineEvent request = call(1);
    EXPECT_EQ(request["command"], "14");
    EXPECT_EQ(request["idString"], "1050");
    Sleep(settleMs);
    const std::size_t before = engine_->calls().size();

    ASSERT_TRUE(engine_->answer(0));
    ASSERT_TRUE(pressKeyAsUser(box.window, VK_F1));
    EXPECT_EQ(call(before + 1)["idString"], "1050");
    const MessageBoxView failed = waitForBox(box.window);
    EXPECT_EQ(failed.text, errorContextId(helpFile(), "0x30000 + 0x041a(1050)"));
    EXPECT_EQ(failed.owner, window_);
}

TEST_F(ContextHelp, MenuItemAsksForTheTableOfContents) {
    startWithFile();
    ASSERT_TRUE(engine_->answer(0));
    chooseHelpMenu();
    const HelpEngineEvent request = call(1);
    EXPECT_EQ(request["command"], "1");
    EXPECT_EQ(request["data"], "0x0");
    EXPECT_EQ(request["file"], quoted(helpFile()));
    EXPECT_EQ(request["window"], window());
    Sleep(settleMs);
    EXPECT_EQ(program_.findMessageBox(), nullptr) << "a contents not shown is not reported";
}

// An engine that exports HtmlHelpA by name but not at ordinal 14 has no entry point: the menu
// does nothing visible, and a pop-up reports its number.
TEST_F(ContextHelp, EngineWithoutOrdinal14ShowsNothingAndReportsPopups) {
    engine_.reset();
    RecordingHelpEngine wrongOrdinal(folder_.path(), "recording_engine_wrong_ordinal.dll");
    ASSERT_TRUE(wrongOrdinal.valid());
    startWithFile();
    chooseHelpMenu();
    ASSERT_TRUE(waitUntil([&] { return wrongOrdinal.loaded(); }, defaultTimeoutMs));
    Sleep(settleMs);
    EXPECT_EQ(program_.findMessageBox(), nullptr);
    pressF1On(IDC_FILES);
    EXPECT_EQ(waitForBox().text, errorContextId(helpFile(), "0x0 + 0x2aff(11007)"));
    EXPECT_TRUE(wrongOrdinal.calls().empty());
}

// The program alone in a folder, with its regex library but without its help file.
class MissingHelpFile : public ContextHelp {
  protected:
    void startWithoutHelpFile() {
        ASSERT_TRUE(folder_.copyFileIn(kibrelPath(), "kibrel.exe"));
        ASSERT_TRUE(folder_.copyFileIn(libraryPath(), "jre32.dll"));
        const std::string program = folder_.pathOf("kibrel.exe");
        ASSERT_TRUE(start(quotedProgram(program), program));
        window_ = program_.waitForMainWindow(defaultTimeoutMs);
        ASSERT_NE(window_, nullptr);
    }
};

TEST_F(MissingHelpFile, EveryRequestNamesTheFileAndLoadsNoEngineUntilItIsThere) {
    startWithoutHelpFile();
    const std::string expected = notExist(folder_.pathOf("kibrel.chm"));
    pressF1On(IDC_SEARCH);
    MessageBoxView box = waitForBox();
    EXPECT_EQ(box.text, expected);
    EXPECT_EQ(box.caption, "kibrel");
    EXPECT_EQ(box.owner, window_);
    EXPECT_STREQ(iconName(box.icon), iconName(BoxIcon::warning));
    ASSERT_TRUE(pressBoxButton(box.window, IDOK));
    ASSERT_TRUE(waitUntil([&] { return program_.findMessageBox() == nullptr; }, defaultTimeoutMs));

    chooseHelpMenu();
    box = waitForBox();
    EXPECT_EQ(box.text, expected);
    ASSERT_TRUE(pressBoxButton(box.window, IDOK));
    ASSERT_TRUE(waitUntil([&] { return program_.findMessageBox() == nullptr; }, defaultTimeoutMs));
    EXPECT_TRUE(engine_->events().empty()) << "the engine was loaded";

    ASSERT_TRUE(folder_.copyFileIn(programFolder() + "kibrel.chm", "kibrel.chm"));
    pressF1On(IDC_SEARCH);
    const HelpEngineEvent request = call(1);
    EXPECT_EQ(request["idString"], "11001");
    EXPECT_EQ(request["file"], quoted(folder_.pathOf("kibrel.chm") + popupTexts));
    EXPECT_TRUE(engine_->loaded());
    Sleep(settleMs);
    EXPECT_EQ(program_.findMessageBox(), nullptr);
}

// A registration that names no loadable file leaves the engine to the normal library search,
// which finds Wine's own: its help window opens with the contents, and it shows no pop-up.
class WineHelpEngine : public KibrelFixture {
  protected:
    void SetUp() override {
        KibrelFixture::SetUp();
        registration_.emplace(folder_.pathOf("recording_engine_missing.dll"));
        ASSERT_TRUE(registration_->valid());
    }
    void TearDown() override {
        KibrelFixture::TearDown();
        registration_.reset();
    }

    std::optional<HtmlHelpControlRegistration> registration_;
};

TEST_F(WineHelpEngine, ContentsOpenInTheHelpWindowButPopupsFail) {
    const HWND window = startMainWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(focusControl(window, childById(window, IDC_SEARCH)));
    ASSERT_TRUE(pressKeyAsUser(window, VK_F1));
    const HWND box = program_.waitForMessageBox(defaultTimeoutMs);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(readMessageBox(box).text,
              errorContextId(programFolder() + "kibrel.chm", "0x0 + 0x2af9(11001)"));
    ASSERT_TRUE(pressBoxButton(box, IDOK));
    ASSERT_TRUE(waitUntil([&] { return program_.findMessageBox() == nullptr; }, defaultTimeoutMs));

    ASSERT_TRUE(pressKeyAsUser(window, 'H', {VK_MENU}));
    HWND helpWindow = nullptr;
    waitUntil(
        [&] {
            for (HWND shown : program_.visibleWindows()) {
                if (windowClass(shown) == "HH Parent")
                    return (helpWindow = shown) != nullptr;
            }
            return false;
        },
        defaultTimeoutMs);
    ASSERT_NE(helpWindow, nullptr) << "Wine's help window did not open";
    // "Kibrel ヘルプ", the title of the help file's window, in code page 932.
    EXPECT_EQ(windowText(helpWindow), "Kibrel \x83w\x83\x8b\x83v");
    EXPECT_EQ(ownerOf(helpWindow), window);
}

} // namespace
} // namespace e2e
