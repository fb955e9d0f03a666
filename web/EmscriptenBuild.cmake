# The web build (emcmake, with -DCMAKE_FIND_ROOT_PATH=<prefix of web/build-deps.sh>): the
# libraries under the names the rest of the tree uses, GoogleTest compiled from the source that
# Debian's googletest package installs, and every test program run under node.

# Without the root path CMake would find emscripten's own SDL2 configuration, which means its
# ports, fetched from the internet.
if(NOT CMAKE_FIND_ROOT_PATH)
  message(FATAL_ERROR "Give -DCMAKE_FIND_ROOT_PATH=<the prefix web/build-deps.sh filled>")
endif()
include(${PROJECT_SOURCE_DIR}/cmake/CrossBuild.cmake)
nuikaro_find_static_sdl()

# Start-up errors are exceptions: without this no catch would ever run.
add_compile_options(-fexceptions)
add_link_options(-fexceptions)

if(NOT BUILD_TESTING)
  return()
endif()

# No threads in the page's build of the C library.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
nuikaro_googletest_from_source()

# Node runs the tests. This emscripten's loader takes node's own fetch for a browser's and fails to
# load the program: without it, it reads the file.
find_program(NUIKARO_NODE NAMES node nodejs REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${NUIKARO_NODE} --no-experimental-fetch)
set(NUIKARO_TEST_LINK_OPTIONS -sENVIRONMENT=node -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1)
nuikaro_one_test_per_program()
