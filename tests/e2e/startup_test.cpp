#include "kibrel_fixture.h"
#include "kibrel_version.h"
#include "message_box.h"
#include "test_paths.h"
#include "wait.h"
#include "window_query.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <thread>

namespace e2e {
namespace {

// "JRE32.DLLが見つかりませんでした" in code page 932.
const std::string libraryMissingText = "JRE32.DLL\x82\xaa\x8c\xa9\x82\xc2\x82\xa9\x82\xe8\x82\xdc"
                                       "\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd";

// The caption the platform gives a message box that names none, seen on a box of the test's
// own.
std::string platformDefaultCaption() {
    std::atomic<bool> done{false};
    std::thread shower([&] {
        MessageBoxA(nullptr, "caption probe", nullptr, MB_OK);
        done = true;
    });
    std::string caption;
    HWND box = nullptr;
    waitUntil(
        [&] {
            for (HWND w : visibleTopLevelWindows(GetCurrentProcessId())) {
                if (isMessageBox(w))
                    return (box = w) != nullptr;
            }
            return false;
        },
        defaultTimeoutMs);
    if (box != nullptr) {
        caption = windowText(box);
        pressBoxButton(box, IDOK);
    }
    shower.join();
    return caption;
}

// The library's version text as the title shows it: the version's high byte in hexadecimal,
// a point, and the hexadecimal text of the whole version less its first character.
std::string libraryVersionText() {
    const HMODULE library = LoadLibraryA(libraryPath().c_str());
    if (library == nullptr)
        return "<jre32.dll could not be loaded>";
    using Version = unsigned (*)();
    const auto version = reinterpret_cast<Version>(
        reinterpret_cast<void*>(GetProcAddress(library, "JreGetVersion")));
    std::string text = "<JreGetVersion missing>";
    if (version != nullptr) {
        const unsigned v = version() & 0xFFFF;
        char major[16], whole[16];
        std::snprintf(major, sizeof major, "%x", v >> 8);
        std::snprintf(whole, sizeof whole, "%x", v);
        text = std::string(major) + "." + (whole + 1);
    }
    FreeLibrary(library);
    return text;
}

class StartUp : public KibrelFixture {};

TEST_F(StartUp, WithoutTheLibraryTheOnlyWindowIsTheWarning) {
    ASSERT_TRUE(startWithoutLibrary());

    const HWND box = program_.waitForMessageBox(defaultTimeoutMs);
    ASSERT_NE(box, nullptr) << "no message box appeared";
    Sleep(500); // a main window, wrongly shown after the box, would be there by now
    const std::vector<HWND> windowsShown = program_.visibleWindows();
    ASSERT_EQ(windowsShown.size(), 1u) << "the warning should be the only window";
    EXPECT_EQ(windowsShown.front(), box);
    EXPECT_EQ(program_.findMainWindow(), nullptr);

    const MessageBoxView view = readMessageBox(box);
    EXPECT_EQ(view.text, libraryMissingText);
    EXPECT_EQ(view.owner, nullptr);
    EXPECT_STREQ(iconName(view.icon), iconName(BoxIcon::warning));
    ASSERT_EQ(view.buttons.size(), 1u);
    EXPECT_EQ(view.buttons.front().id, IDOK);
    EXPECT_EQ(view.caption, platformDefaultCaption()) << "the warning names no caption of its own";

    ASSERT_TRUE(pressBoxButton(box, IDOK));
    EXPECT_TRUE(program_.waitForExit(defaultTimeoutMs)) << "the program goes on after OK";
    EXPECT_EQ(program_.findMainWindow(), nullptr);
}

TEST_F(StartUp, TitleShowsTheProgramAndLibraryVersions) {
    const HWND window = startMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(windowText(window),
              "Kibrel  Ver." KIBREL_VERSION "       JRE32.DLL Ver." + libraryVersionText());
}

} // namespace
} // namespace e2e
