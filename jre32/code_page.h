#pragma once

namespace jre32 {

// The code page a record opened now works in: JRE32_CODEPAGE when it holds a number from 1
// to 65535, else the platform's (GetACP on Windows; elsewhere 65001 for a UTF-8 locale,
// 1252 otherwise).
int processCodePage();

} // namespace jre32
