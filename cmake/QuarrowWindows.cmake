# The Windows build: the game core and the shared parts of every subsystem
# with their tests, the native front end, the packages, and the tests that
# run it all under Wine. Included by the top-level CMakeLists.txt when
# cross-building with cmake/mingw-w64-x86_64.cmake, which then calls
# quarrow_windows_front_end() once the shared libraries exist.
enable_language(RC)

# The Qt front end, its benchmarks (Google Benchmark) and the fuzz targets are
# the Linux build's.
set(QUARROW_GUI OFF)
set(QUARROW_BENCH OFF)
set(QUARROW_FUZZ OFF)
set(QUARROW_TOOLS OFF)

# The program packaged and tested end to end; another target (such as the
# benchmark's bare window) can stand in to try the packaging on its own.
set(QUARROW_WINDOWS_PROGRAM quarrow CACHE STRING "The Windows program target to package and test end to end")

# Debian ships GoogleTest as sources only for other targets: built here with
# the same compiler, and only what the tests link.
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Every test program runs under Wine in one prefix of the build's own, made
# by the first test that needs it (the first start of Wine takes seconds),
# never in the user's.
set(QUARROW_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/tests/windows/wine_run.sh ${QUARROW_WINE_PREFIX})

find_package(Python3 COMPONENTS Interpreter REQUIRED)
include(${PROJECT_SOURCE_DIR}/packaging/windows/program.cmake)

# A check of a Windows program on an X display of its own (Xvfb), registered
# twice as for the Linux program (tests/CMakeLists.txt): NAME on a bare
# server, NAME_wm under openbox. WINEPREFIX names the build's prefix.
#   quarrow_wine_desktop_test(NAME COMMAND cmd args...)
function(quarrow_wine_desktop_test name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "COMMAND")
  set(run ${PROJECT_SOURCE_DIR}/tests/e2e/run_in_xvfb.sh)
  add_test(NAME ${name} COMMAND ${run} ${arg_COMMAND})
  add_test(NAME ${name}_wm COMMAND ${run} --wm ${arg_COMMAND})
  # One wineserver per prefix, bound to the display it started on.
  set_tests_properties(${name} ${name}_wm PROPERTIES LABELS "e2e;windows" TIMEOUT 180 RUN_SERIAL TRUE
    ENVIRONMENT WINEPREFIX=${QUARROW_WINE_PREFIX})
endfunction()

function(quarrow_windows_front_end)
  foreach(front_end IN ITEMS services/win32 windows/win32 board/win32)
    if(EXISTS ${PROJECT_SOURCE_DIR}/${front_end}/CMakeLists.txt)
      add_subdirectory(${PROJECT_SOURCE_DIR}/${front_end} ${CMAKE_BINARY_DIR}/${front_end})
    endif()
  endforeach()
  add_subdirectory(${PROJECT_SOURCE_DIR}/bench/windows ${CMAKE_BINARY_DIR}/bench/windows)
  add_subdirectory(${PROJECT_SOURCE_DIR}/packaging/windows ${CMAKE_BINARY_DIR}/packaging/windows)
  add_subdirectory(${PROJECT_SOURCE_DIR}/tests/windows ${CMAKE_BINARY_DIR}/tests/windows)
endfunction()
