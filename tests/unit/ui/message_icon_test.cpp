#include "message_icon.h"

#include <gtest/gtest.h>

namespace {

constexpr unsigned exclamation = 0x30;
constexpr unsigned otherIcons[] = {0x10, 0x20, 0x30, 0x40};

// Button sets: 0 OK, 1 OK/Cancel, 2 Abort/Retry/Ignore, 3 Yes/No/Cancel, 4 Yes/No,
// 5 Retry/Cancel, 6 Cancel/Try/Continue.
TEST(MessageIcon, ExclamationOnlyForIconlessOkAndQuestionSets) {
    const bool getsIcon[] = {true, true, false, true, true, false, false};
    for (unsigned buttons = 0; buttons <= 6; ++buttons) {
        unsigned expected = getsIcon[buttons] ? buttons | exclamation : buttons;
        EXPECT_EQ(withDefaultIcon(buttons), expected) << buttons;
        EXPECT_EQ(withDefaultIcon(buttons | 0x4000), expected | 0x4000) << buttons;
    }
}

TEST(MessageIcon, AGivenIconIsKept) {
    for (unsigned buttons = 0; buttons <= 6; ++buttons)
        for (unsigned icon : otherIcons)
            EXPECT_EQ(withDefaultIcon(buttons | icon), buttons | icon) << buttons << " " << icon;
    EXPECT_EQ(withDefaultIcon(0x4040), 0x4040u);
}

} // namespace
