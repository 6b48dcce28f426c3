#include "message_icon.h"

namespace {

constexpr unsigned iconBits = 0xF0;
constexpr unsigned buttonBits = 0x0F;
constexpr unsigned iconExclamation = 0x30;

constexpr unsigned ok = 0;
constexpr unsigned okCancel = 1;
constexpr unsigned yesNoCancel = 3;
constexpr unsigned yesNo = 4;

} // namespace

unsigned withDefaultIcon(unsigned type) {
    if ((type & iconBits) != 0)
        return type;
    unsigned buttons = type & buttonBits;
    if (buttons == ok || buttons == okCancel || buttons == yesNoCancel || buttons == yesNo)
        return type | iconExclamation;
    return type;
}
