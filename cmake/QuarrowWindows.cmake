# The Windows build: the game core with its tests, the native front end, the
# packages, and the tests that run it all under Wine. Included by the top-level
# CMakeLists.txt when cross-building with cmake/mingw-w64-x86_64.cmake.
enable_language(RC)

# The program packaged and tested end to end; another target (such as the
# benchmark's bare window) can stand in to try the packaging on its own.
set(QUARROW_WINDOWS_PROGRAM quarrow CACHE STRING "The Windows program target to package and test end to end")

# Debian ships GoogleTest as sources only for other targets: built here with
# the same compiler, and only what the tests link.
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Every program that runs under Wine shares one prefix in the build folder,
# made once by the fixture below (the first start of Wine takes seconds).
# Wine's menu builder is off: it would write desktop entries and file types
# for the prefix's programs into the user's home.
set(QUARROW_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
set(QUARROW_WINE_ENVIRONMENT WINEPREFIX=${QUARROW_WINE_PREFIX} WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d)
add_test(NAME wine_prefix COMMAND ${PROJECT_SOURCE_DIR}/tests/windows/wine_prefix.sh ${QUARROW_WINE_PREFIX})
set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine_prefix TIMEOUT 300 LABELS windows)

# Marks tests as run under Wine, in the shared prefix.
function(quarrow_wine_tests)
  set_property(TEST ${ARGN} APPEND PROPERTY ENVIRONMENT ${QUARROW_WINE_ENVIRONMENT})
  set_property(TEST ${ARGN} APPEND PROPERTY FIXTURES_REQUIRED wine_prefix)
  set_property(TEST ${ARGN} APPEND PROPERTY LABELS windows)
endfunction()

# Listing a test program's cases means starting it at build time, which under
# Wine is slow and breaks when the prefix is not ready; each program is one
# CTest test instead, run through the emulator (Wine). Takes the arguments of
# GoogleTest's own function so that the subsystems' CMakeLists.txt serve both
# builds; only PROPERTIES is used.
function(gtest_discover_tests target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "PROPERTIES")
  add_test(NAME ${target} COMMAND ${target} --gtest_color=no)
  set_tests_properties(${target} PROPERTIES TIMEOUT 600)
  if(arg_PROPERTIES)
    set_tests_properties(${target} PROPERTIES ${arg_PROPERTIES})
  endif()
  quarrow_wine_tests(${target})
endfunction()

set(QUARROW_PROGRAM_DIR ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${QUARROW_PROGRAM_DIR})
include(${PROJECT_SOURCE_DIR}/packaging/windows/program.cmake)

# The subsystems' own CMakeLists.txt register their test programs through
# this; here each is one test run under Wine.
function(quarrow_unit_test target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "LABELS")
  gtest_discover_tests(${target} PROPERTIES LABELS "${arg_LABELS}")
endfunction()

# The core and each subsystem's shared layer, without Qt; each subsystem adds
# its win32/ front end itself.
set(QUARROW_GUI OFF)
add_subdirectory(rules)
add_subdirectory(services)
add_subdirectory(windows)
add_subdirectory(board)

add_subdirectory(bench/windows)
add_subdirectory(packaging/windows)
add_subdirectory(tests/windows)
