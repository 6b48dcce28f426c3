#include "ansi_code_page.h"

#include "table_code_page.h"

#include <windows.h>

const CodePage& ansiCodePage() {
    static const TableCodePage codePage(GetACP());
    return codePage;
}
