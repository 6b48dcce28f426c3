#include "ansi_code_page.h"

#include <windows.h>

const TableCodePage& ansiCodePage() {
    static const TableCodePage codePage(GetACP());
    return codePage;
}
