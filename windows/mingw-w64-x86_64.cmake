# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (posix thread model, so std::mutex and
# std::thread work as on Linux). The Windows libraries the game builds on (SDL2, FreeType,
# SDL2_ttf) are looked for in the folder that windows/build-deps.sh fills, given as
# -DNUIKARO_WINDOWS_DEPS=<folder> or in the environment variable of the same name.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

if(NOT NUIKARO_WINDOWS_DEPS AND DEFINED ENV{NUIKARO_WINDOWS_DEPS})
  set(NUIKARO_WINDOWS_DEPS "$ENV{NUIKARO_WINDOWS_DEPS}")
endif()
set(CMAKE_FIND_ROOT_PATH ${NUIKARO_WINDOWS_DEPS} /usr/${triple})
# Try-compiles see the same folders.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES NUIKARO_WINDOWS_DEPS)

# Programs run on the build machine; libraries, headers and packages come only from the target's.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
