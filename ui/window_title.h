#pragma once

#include <optional>
#include <string>
#include <string_view>

// The main window's title: the program's name and version, then the regex library's version
// when the library could be asked for it. For the version value 0x0125 and the program
// version "1.02" it reads "Kibrel  Ver.1.02       JRE32.DLL Ver.1.25"; without a library
// version only "Kibrel  Ver.1.02".
std::string windowTitle(std::string_view programVersion, std::optional<unsigned> libraryVersion);
