# kibrel_add_test(<name> SOURCES <files...> LIBS <targets...> [RESOURCE_LOCK <name>])
# Builds one GoogleTest program and registers it with CTest. Natively every test case becomes a
# CTest entry of its own, in the sanitized build only; under Wine the whole program is one
# entry, since listing its cases would start Wine once more.
if(WIN32)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
    find_package(GTest REQUIRED)
    include(GoogleTest)
endif()

function(kibrel_add_test name)
    cmake_parse_arguments(T "" "RESOURCE_LOCK;TIMEOUT" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main GTest::gmock)
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    if(WIN32)
        add_test(NAME ${name} COMMAND ${name})
        set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS wine)
        if(T_RESOURCE_LOCK)
            set_tests_properties(${name} PROPERTIES RESOURCE_LOCK ${T_RESOURCE_LOCK})
        endif()
    elseif(KIBREL_SANITIZE)
        gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
                             PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS native)
    endif()
endfunction()

# kibrel_add_western_run(<name> <test program> [<argument>...])
# Runs a Windows test program once more under Wine with a Western locale, whose ANSI code page
# is 1252 (the other runs have code page 932), under the CTest name <name>.
function(kibrel_add_western_run name program)
    if(NOT WIN32)
        return()
    endif()
    add_test(NAME ${name} COMMAND ${program} ${ARGN})
    get_test_property(${program} RESOURCE_LOCK lock)
    set_tests_properties(${name} PROPERTIES TIMEOUT 300 LABELS wine
                                            ENVIRONMENT KIBREL_WINE_LOCALE=C.UTF-8)
    if(lock)
        set_tests_properties(${name} PROPERTIES RESOURCE_LOCK ${lock})
    endif()
endfunction()

# kibrel_add_benchmark(<name> SOURCES <files...> LIBS <targets...>)
# A benchmark prints its figures; CTest runs it only in builds without sanitizers, so that the
# figures mean something, and only fails it when the program itself fails.
function(kibrel_add_benchmark name)
    cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${B_SOURCES})
    target_link_libraries(${name} PRIVATE ${B_LIBS})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/bench)
    if(WIN32 OR NOT KIBREL_SANITIZE)
        add_test(NAME ${name} COMMAND ${name})
        set_tests_properties(${name} PROPERTIES TIMEOUT 900 LABELS bench RUN_SERIAL TRUE)
    endif()
endfunction()
