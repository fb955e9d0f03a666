# The Windows build (cross-compiled with windows/mingw-w64-x86_64.cmake): the libraries from
# windows/build-deps.sh under the names the rest of the tree uses, GoogleTest compiled from the
# source that Debian's googletest package installs, and every test program run under Wine.

# SDL2, SDL2_ttf and FreeType are linked into the program: one .exe, no DLL to go missing or be
# swapped for another version, nothing for Windows to look up beside it.
include(${PROJECT_SOURCE_DIR}/cmake/CrossBuild.cmake)
nuikaro_find_static_sdl()
# libstdc++, libgcc and winpthread too; symbols stripped from a release. Without the link's time
# in its header the program is the same from every build.
add_link_options(-static $<$<CONFIG:Release>:-s> -Wl,--no-insert-timestamp)

if(NOT BUILD_TESTING)
  return()
endif()

nuikaro_googletest_from_source()

set(NUIKARO_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix CACHE PATH "Wine prefix the tests run in")
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh ${NUIKARO_WINE_PREFIX})

nuikaro_one_test_per_program()
