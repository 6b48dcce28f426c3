#pragma once

#include "code_page.h"
#include "system_texts.h"

#include <string>
#include <string_view>

// Names derived from the running executable's path; backslashes and dots are found by
// characters of the code page.

// The executable's file name without its folder and its extension: 'D:\Tools\rename.exe'
// gives 'rename'.
std::string appNameFor(std::string_view executablePath, const CodePage& cp);

// The help file beside the executable: its path with everything after the last dot of the
// file name replaced by "chm" ('D:\old.tools\TOOL.EXE' gives 'D:\old.tools\TOOL.chm'), or
// with ".chm" appended when the file name has no dot. The English help file has "-en" before
// the extension ('D:\old.tools\TOOL-en.chm').
std::string helpFilePathFor(std::string_view executablePath, const CodePage& cp,
                            TextLanguage language);
