# The browser build (Emscripten): the core, the shared layer and their tests
# compiled to WebAssembly, the tests run under Node, and the site in board/web/.
# Configure with: emcmake cmake -S . -B build-web -G Ninja

set(QUARROW_GUI OFF)
set(QUARROW_BENCH OFF)
set(QUARROW_TOOLS OFF)
set(QUARROW_FUZZ OFF)
set(QUARROW_WEB ON)

# Emscripten's JavaScript optimiser looks for Debian's acorn on NODE_PATH;
# launching every compile and link through env means no one has to export it.
set(CMAKE_CXX_COMPILER_LAUNCHER env NODE_PATH=/usr/share/nodejs)
set(CMAKE_CXX_LINKER_LAUNCHER env NODE_PATH=/usr/share/nodejs)

# Test programs run under Node with the host's files (the shared tests read
# the game's data from the source tree); the site's module asks for the web.
find_program(QUARROW_NODE node REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${QUARROW_NODE})
# Synchronous instantiation reads the .wasm from disk: this glue would otherwise
# try Node's fetch on a file path, which fails.
add_link_options(-sENVIRONMENT=node -sWASM_ASYNC_COMPILATION=0 -sNODERAWFS=1 -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1)

# GoogleTest from Debian's sources, built with emcc like everything else.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# The tests catch what the core throws for a broken index, so they, and only
# they, are built with exceptions caught. Everything else throws without
# catching (a bug stops the page): caught exceptions cost every call a trip
# through JavaScript, which made a click several times slower.
foreach(lib gtest gtest_main)
  target_compile_options(${lib} PUBLIC -fexceptions)
  target_link_options(${lib} PUBLIC -fexceptions)
endforeach()
