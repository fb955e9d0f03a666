# Runs the artwork generator into a fresh directory and compares every file it writes, byte for
# byte, with the committed copy; PNGs only by their pixels (tools_tests), as another zlib may
# write other bytes. Called by ctest with GENERATOR, OUTPUT and ASSETS set.
file(REMOVE_RECURSE "${OUTPUT}")
file(MAKE_DIRECTORY "${OUTPUT}")
execute_process(COMMAND "${GENERATOR}" "${OUTPUT}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "make_artwork failed: ${result}")
endif()

file(GLOB generated RELATIVE "${OUTPUT}" "${OUTPUT}/*")
list(LENGTH generated count)
if(count EQUAL 0)
  message(FATAL_ERROR "make_artwork wrote nothing into ${OUTPUT}")
endif()
foreach(name IN LISTS generated)
  if(NOT EXISTS "${ASSETS}/${name}")
    message(FATAL_ERROR "${name} is drawn but not committed in assets/")
  endif()
  if(name MATCHES "\\.png$")
    continue()
  endif()
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${OUTPUT}/${name}" "${ASSETS}/${name}"
    RESULT_VARIABLE different)
  if(NOT different EQUAL 0)
    message(FATAL_ERROR "assets/${name} differs from what make_artwork draws now; "
      "regenerate with: make_artwork assets")
  endif()
endforeach()
message(STATUS "${count} files match assets/")
