#include "ansi_code_page.h"

#include <windows.h>

// A code page that GetCPInfo cannot describe is taken as single-byte: no byte leads.
AnsiCodePage::AnsiCodePage() {
    CPINFO info{};
    if (!GetCPInfo(CP_ACP, &info))
        return;
    for (int range = 0; range + 1 < MAX_LEADBYTES; range += 2) {
        unsigned first = info.LeadByte[range];
        unsigned last = info.LeadByte[range + 1];
        if (first == 0 && last == 0)
            break;
        for (unsigned b = first; b <= last && b < leadBytes_.size(); ++b)
            leadBytes_[b] = true;
    }
}

bool AnsiCodePage::isLeadByte(unsigned char b) const {
    return leadBytes_[b];
}

// A lead byte takes the byte behind it, whatever that is, as the platform's own character walk
// does; only at the end of the text does it stand alone.
std::size_t AnsiCodePage::charLength(std::string_view text, std::size_t pos) const {
    if (isLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size())
        return 2;
    return 1;
}

const CodePage& ansiCodePage() {
    static const AnsiCodePage codePage;
    return codePage;
}
