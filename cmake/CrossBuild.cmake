# What the cross builds (windows/, web/) share: the libraries they cross-built from Debian's
# sources, GoogleTest compiled from the source that Debian's googletest package installs, and
# test programs that each run as one test.

# SDL2 and SDL2_ttf linked statically, under the names the rest of the tree uses.
macro(nuikaro_find_static_sdl)
  find_package(SDL2 REQUIRED CONFIG)
  find_package(SDL2_ttf REQUIRED CONFIG)
  foreach(library SDL2::SDL2 SDL2_ttf::SDL2_ttf)
    if(NOT TARGET ${library})
      add_library(${library} INTERFACE IMPORTED)
      target_link_libraries(${library} INTERFACE ${library}-static)
    endif()
  endforeach()
endmacro()

macro(nuikaro_googletest_from_source)
  set(googleTestSource /usr/src/googletest CACHE PATH
      "GoogleTest's source (Debian package googletest)")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(${googleTestSource} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endmacro()

# Under the emulator (Wine, node) each test program runs once, as one test: a start costs far more
# than on Linux (about a second under Wine), and listing the cases first would start each program
# once more at build time. The failing cases are named in the program's output. A test program is
# linked with NUIKARO_TEST_LINK_OPTIONS, what it needs to run there.
macro(nuikaro_one_test_per_program)
  include(GoogleTest)
  function(gtest_discover_tests target)
    add_test(NAME ${target} COMMAND ${target} --gtest_brief=1)
    target_link_options(${target} PRIVATE ${NUIKARO_TEST_LINK_OPTIONS})
  endfunction()
endmacro()
