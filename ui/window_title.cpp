#include "window_title.h"

#include <cstdio>

namespace {

std::string lowerHex(unsigned long value) {
    char text[2 * sizeof value + 1];
    std::snprintf(text, sizeof text, "%lx", value);
    return text;
}

} // namespace

// Behind the point stands the hexadecimal text of the whole value less its first digit, so a
// value from 0x0100 to 0x0FFF shows its low byte as two digits, leading zero included.
std::string windowTitle(std::string_view programVersion, std::optional<unsigned> libraryVersion) {
    std::string title = "Kibrel  Ver.";
    title += programVersion;
    if (!libraryVersion)
        return title;
    unsigned long v = *libraryVersion & 0xFFFF;
    title += "       JRE32.DLL Ver.";
    title += lowerHex(v >> 8);
    title += '.';
    title += lowerHex(v).substr(1);
    return title;
}
