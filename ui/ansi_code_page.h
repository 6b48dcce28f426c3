#pragma once

#include "table_code_page.h"

// The process's ANSI code page (GetACP), taken once, walked as the regex library walks it.
const TableCodePage& ansiCodePage();
