#include "ansi.h"
#include "engine_windows.h"
#include "hardware_input.h"
#include "help_engine.h"
#include "kibrel_fixture.h"
#include "message_box.h"
#include "resource.h"
#include "test_paths.h"
#include "user_input.h"
#include "wait.h"
#include "window_names.h"
#include "window_query.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

// What a user reads, in the language the ANSI code page can show: this program runs twice,
// under code page 932, where every text is the window's Japanese, byte for byte, and under
// code page 1252, where every text is English and none of it a question mark.

namespace e2e {
namespace {

bool japanese() {
    return GetACP() == 932;
}

// The text a case expects under the running code page: the Japanese one as code page 932
// bytes, the English one as it is.
std::string expected(const char* japaneseUtf8, const char* english) {
    return japanese() ? ansi(japaneseUtf8) : std::string(english);
}

class Texts : public KibrelFixture {
  protected:
    void SetUp() override {
        KibrelFixture::SetUp();
        const unsigned codePage = GetACP();
        ASSERT_TRUE(codePage == 932 || codePage == 1252) << "code page " << codePage;
    }
    void startWithFile() {
        ASSERT_TRUE(folder_.writeFile("a.txt", "a"));
        window_ = startMainWindow(quotedProgram(kibrelPath()) + " " + folder_.pathOf("a.txt"));
        ASSERT_NE(window_, nullptr);
    }
    HWND control(int id) const { return childById(window_, id); }

    HWND window_ = nullptr;
};

struct PassMessage {
    const char* search;
    const char* replace;
    const char* japanese;
    const char* english;
};

// Text 10 (parentheses that do not pair), 12 (a region in parentheses), the library's refusal
// (a reversed range) and text 11 (a new name with a forbidden character).
const PassMessage passMessages[] = {
    {"(a", "b", "正規表現の使い方が間違っとるぞ。",
     "The Search text is not a pattern that can be used."},
    {"({a})", "b", "( )の中に{ }を入れることはできません\n詳しくはヘルプを参照してください",
     "A region { } cannot stand inside parentheses ( ).\nSee the help for more."},
    {"[z-a]", "b", "正規表現の使い方おかしいぞこの野郎。",
     "The regex library refused the pattern."},
    {"a", "?", "ファイル名に　\\ / :  * ? \\\" < > |　は使えません",
     "A file name cannot hold \\ / : * ? \" < > |"},
};

TEST_F(Texts, MessagesOfTheTestPassAreInTheCodePagesLanguage) {
    startWithFile();
    for (const PassMessage& c : passMessages) {
        SCOPED_TRACE(c.search);
        ASSERT_TRUE(typeReplacing(control(IDC_SEARCH), c.search));
        ASSERT_TRUE(typeReplacing(control(IDC_REPLACE), c.replace));
        ASSERT_TRUE(clickButton(control(IDC_ACTION)));
        const HWND box = program_.waitForMessageBox(defaultTimeoutMs);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(readMessageBox(box).text, expected(c.japanese, c.english));
        ASSERT_TRUE(pressBoxButton(box, IDOK));
        ASSERT_TRUE(waitUntil([&] { return !IsWindow(box); }, defaultTimeoutMs));
    }
}

TEST_F(Texts, TheStartUpWarningIsInTheCodePagesLanguage) {
    ASSERT_TRUE(startWithoutLibrary());
    const HWND box = program_.waitForMessageBox(defaultTimeoutMs);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(readMessageBox(box).text,
              expected("JRE32.DLLが見つかりませんでした", "JRE32.DLL was not found."));
    ASSERT_TRUE(pressBoxButton(box, IDOK));
    EXPECT_TRUE(program_.waitForExit(defaultTimeoutMs));
}

// With the project's help engine, F1 on the Search box shows its pop-up from the help file of
// the code page's language: kibrel.chm under 932, kibrel-en.chm otherwise.
TEST_F(Texts, F1OnTheSearchBoxShowsThePopupInTheCodePagesLanguage) {
    HtmlHelpControlRegistration registration(programFolder() + "help_engine.dll");
    ASSERT_TRUE(registration.valid()) << "help_engine.dll could not be registered";
    startWithFile();
    ASSERT_TRUE(focusControl(window_, control(IDC_SEARCH)));
    ASSERT_TRUE(pressKeyAsUser(window_, VK_F1));
    HWND popup = nullptr;
    waitUntil(
        [&] {
            const std::vector<HWND> popups =
                windowsOfClass(program_, help_engine::popupWindowClass);
            return (popup = popups.empty() ? nullptr : popups.front()) != nullptr;
        },
        defaultTimeoutMs);
    ASSERT_NE(popup, nullptr) << "no pop-up";
    const std::wstring text = wideText(popup);
    EXPECT_TRUE(text.starts_with(japanese() ? L"Search ボックス: 探すパターンを書きます。"
                                            : L"Search box: the pattern to look for."))
        << windowText(popup);
    ASSERT_TRUE(pressKeyAsUser(window_, VK_ESCAPE));
    EXPECT_EQ(program_.findMessageBox(), nullptr);
}

} // namespace
} // namespace e2e
