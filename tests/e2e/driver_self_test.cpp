#include "message_box.h"
#include "program_process.h"
#include "temp_folder.h"
#include "user_input.h"
#include "wait.h"
#include "window_query.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

namespace e2e {
namespace {

// A message box that the test program itself shows on a thread of its own, to check the
// driver's reading of message boxes against boxes whose every property is known.
class OwnMessageBox {
  public:
    OwnMessageBox(std::string text, std::string caption, UINT type)
        : thread_([this, text, caption, type] {
              result_ = MessageBoxA(nullptr, text.c_str(), caption.c_str(), type);
          }) {}
    ~OwnMessageBox() {
        // Whatever the test did, the box goes, by the first of its buttons.
        if (HWND box = window(0); box != nullptr) {
            const MessageBoxView view = readMessageBox(box);
            if (!view.buttons.empty())
                pressBoxButton(box, view.buttons.front().id);
        }
        thread_.join();
    }

    HWND window(DWORD timeoutMs) const {
        HWND found = nullptr;
        waitUntil(
            [&] {
                for (HWND w : visibleTopLevelWindows(GetCurrentProcessId())) {
                    if (isMessageBox(w))
                        return (found = w) != nullptr;
                }
                return false;
            },
            timeoutMs);
        return found;
    }
    int waitForResult(DWORD timeoutMs) const {
        waitUntil([&] { return result_ != 0; }, timeoutMs);
        return result_;
    }

  private:
    std::atomic<int> result_{0};
    std::thread thread_;
};

struct IconCase {
    UINT type;
    BoxIcon expected;
};

void PrintTo(const IconCase& c, std::ostream* out) {
    *out << iconName(c.expected);
}

class MessageBoxIcon : public testing::TestWithParam<IconCase> {};

TEST_P(MessageBoxIcon, IsToldFromWhatTheScreenShows) {
    OwnMessageBox shown("Icon check", "Driver", MB_OK | GetParam().type);
    const HWND box = shown.window(defaultTimeoutMs);
    ASSERT_NE(box, nullptr);
    Sleep(300); // let the box paint itself before the screen is read
    EXPECT_STREQ(iconName(readMessageBox(box).icon), iconName(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(EveryStandardIcon, MessageBoxIcon,
                         testing::Values(IconCase{MB_ICONERROR, BoxIcon::error},
                                         IconCase{MB_ICONQUESTION, BoxIcon::question},
                                         IconCase{MB_ICONWARNING, BoxIcon::warning},
                                         IconCase{MB_ICONINFORMATION, BoxIcon::information},
                                         IconCase{0, BoxIcon::none}),
                         [](const testing::TestParamInfo<IconCase>& info) {
                             return std::string(iconName(info.param.expected));
                         });

TEST(MessageBoxReading, GivesCaptionTextOwnerAndVisibleButtons) {
    // "表" is 95 5C in code page 932: its second byte is a backslash.
    const std::string text = "First line\n\x95\x5c second";
    OwnMessageBox shown(text, "Driver caption", MB_YESNOCANCEL);
    const HWND box = shown.window(defaultTimeoutMs);
    ASSERT_NE(box, nullptr);
    const MessageBoxView view = readMessageBox(box);
    EXPECT_EQ(view.caption, "Driver caption");
    EXPECT_EQ(view.text, text);
    EXPECT_EQ(view.owner, nullptr);
    ASSERT_EQ(view.buttons.size(), 3u);
    EXPECT_EQ(view.buttons[0].id, IDYES);
    EXPECT_EQ(view.buttons[1].id, IDNO);
    EXPECT_EQ(view.buttons[2].id, IDCANCEL);
    for (const BoxButton& button : view.buttons)
        EXPECT_FALSE(button.text.empty()) << "button " << button.id;
}

TEST(MessageBoxReading, PressingAButtonClosesTheBoxWithThatAnswer) {
    OwnMessageBox shown("Which?", "Driver", MB_YESNOCANCEL);
    const HWND box = shown.window(defaultTimeoutMs);
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(pressBoxButton(box, IDNO));
    EXPECT_EQ(shown.waitForResult(defaultTimeoutMs), IDNO);
    EXPECT_FALSE(pressBoxButton(box, IDRETRY)) << "the box never had a Retry button";
}

TEST(Typing, PutsDoubleByteTextIntoAnEditAsItsBytes) {
    const HWND edit = CreateWindowExA(0, "Edit", "", WS_POPUP, 0, 0, 200, 30, nullptr, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(edit, nullptr);
    // "表1.txt" and "写真": the first has a trail byte 0x5C.
    const std::string typed = "\x95\x5c"
                              "1.txt \x8e\xca\x90\x5e";
    EXPECT_TRUE(typeText(edit, typed));
    EXPECT_EQ(windowText(edit), typed);
    DestroyWindow(edit);
}

// "表" is 95 5C: a folder of that name ends in a byte that is no backslash.
TEST(TempFolderRemoval, TakesDoubleByteFoldersWithIt) {
    std::string path;
    {
        const TempFolder folder;
        ASSERT_TRUE(folder.valid());
        path = folder.path();
        ASSERT_TRUE(folder.makeFolder("\x95\x5c"));
        ASSERT_TRUE(folder.writeFile("\x95\x5c\\\x95\x5c"
                                     "1.txt",
                                     "x"));
        ASSERT_TRUE(folder.makeFolder("\x95\x5c\\\x95\x5c"));
    }
    EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << path << " is left";
}

} // namespace
} // namespace e2e
