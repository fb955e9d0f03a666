# Finishes the site folder once every file is in it: gzips the program for the page to inflate
# itself, then writes the service worker with the build's name and each kept file's SHA-256.
# Called with FOLDER, the site being packed; the worker's template is sw.js beside this file.
set(SITE "${FOLDER}")
set(WORKER "${CMAKE_CURRENT_LIST_DIR}/sw.js")
# gzip -n leaves the name and the time out of the header: every build gives the same bytes.
foreach(name nuikaro.wasm nuikaro.js)
  execute_process(COMMAND gzip -9nkf "${SITE}/${name}" COMMAND_ERROR_IS_FATAL ANY)
endforeach()

# What the page loads: everything but the worker itself and the program's uncompressed copies,
# which only a browser that cannot inflate asks for.
file(GLOB names RELATIVE "${SITE}" "${SITE}/*")
list(REMOVE_ITEM names sw.js nuikaro.wasm nuikaro.js)
list(SORT names)
set(NUIKARO_FILE_DIGESTS "")
set(all "")
foreach(name IN LISTS names)
  file(SHA256 "${SITE}/${name}" digest)
  string(APPEND NUIKARO_FILE_DIGESTS "  \"${name}\": \"${digest}\",\n")
  string(APPEND all "${name} ${digest}\n")
endforeach()
string(SHA256 build "${all}")
string(SUBSTRING "${build}" 0 16 NUIKARO_BUILD)
configure_file("${WORKER}" "${SITE}/sw.js" @ONLY)
message(STATUS "Build ${NUIKARO_BUILD}: the service worker keeps ${names}")
