# Writes the messages of a catalog (a .po file) into a C++ source, for the Windows kibrel-cli,
# which has no gettext: cmake -DCATALOG=ja.po -DSOURCE=out.cpp -P embed_catalog.cmake
# A .po string is written as a C string already: its escapes (\\, \", \n) are C's.
file(STRINGS ${CATALOG} lines ENCODING UTF-8)
set(entries "")
set(field "")
set(msgid "")
set(msgstr "")
foreach(line IN LISTS lines)
    if(line MATCHES "^msgid \"(.*)\"$")
        if(NOT msgid STREQUAL "" AND NOT msgstr STREQUAL "")
            string(APPEND entries "    {\"${msgid}\", \"${msgstr}\"},\n")
        endif()
        set(msgid "${CMAKE_MATCH_1}")
        set(msgstr "")
        set(field msgid)
    elseif(line MATCHES "^msgstr \"(.*)\"$")
        set(msgstr "${CMAKE_MATCH_1}")
        set(field msgstr)
    elseif(line MATCHES "^\"(.*)\"$")
        string(APPEND ${field} "${CMAKE_MATCH_1}")
    endif()
endforeach()
if(NOT msgid STREQUAL "" AND NOT msgstr STREQUAL "")
    string(APPEND entries "    {\"${msgid}\", \"${msgstr}\"},\n")
endif()
file(WRITE ${SOURCE} "// Made from ${CATALOG} by embed_catalog.cmake.\n#include \"cli_texts.h\"\n\n"
     "const CatalogEntry japaneseCatalog[] = {\n${entries}};\n"
     "const std::size_t japaneseCatalogSize = sizeof japaneseCatalog / sizeof japaneseCatalog[0];\n")
