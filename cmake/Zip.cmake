# The zips players download (windows/, web/), packed by zip.py so that every build of one commit
# gives the same bytes.
#   nuikaro_add_zip(<target> <zip file> FILES <file>... [RENAME <file> <name>]...
#                   [PREPARE <cmake script>] [ALSO_IN <folder>] [DEPENDS <target or file>...])
# The zip holds one folder named as the zip: FILES under their own names, each RENAME pair's file
# under the name given. PREPARE runs a CMake script on the folder (its path in FOLDER) once the files
# are in it, before it is packed. ALSO_IN gets a copy of that folder's contents.
set(NUIKARO_PYTHON /usr/bin/python3 CACHE FILEPATH "The Python that packs the zips (python3)")

function(nuikaro_add_zip target zipFile)
  cmake_parse_arguments(PARSE_ARGV 2 zip "" "ALSO_IN;PREPARE" "FILES;RENAME;DEPENDS")
  get_filename_component(name ${zipFile} NAME_WLE)
  get_filename_component(zipDir ${zipFile} DIRECTORY)
  set(stage ${CMAKE_CURRENT_BINARY_DIR}/stage)
  set(folder ${stage}/${name})
  set(inputs ${zip_FILES})
  set(renamed "")
  while(zip_RENAME)
    list(POP_FRONT zip_RENAME file newName)
    list(APPEND renamed COMMAND ${CMAKE_COMMAND} -E copy ${file} ${folder}/${newName})
    list(APPEND inputs ${file})
  endwhile()
  set(prepare "")
  if(zip_PREPARE)
    set(prepare COMMAND ${CMAKE_COMMAND} -DFOLDER=${folder} -P ${zip_PREPARE})
    list(APPEND inputs ${zip_PREPARE})
  endif()
  set(copy "")
  if(zip_ALSO_IN)
    set(copy COMMAND ${CMAKE_COMMAND} -E rm -rf ${zip_ALSO_IN}
             COMMAND ${CMAKE_COMMAND} -E copy_directory ${folder} ${zip_ALSO_IN})
  endif()
  set(script ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/zip.py)
  add_custom_command(
    OUTPUT ${zipFile}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder} ${zipDir}
    COMMAND ${CMAKE_COMMAND} -E copy ${zip_FILES} ${folder}/
    ${renamed}
    ${prepare}
    ${copy}
    COMMAND ${NUIKARO_PYTHON} ${script} ${zipFile} ${stage} ${NUIKARO_SOURCE_DATE_EPOCH}
    DEPENDS ${inputs} ${zip_DEPENDS} ${script} ${NUIKARO_SOURCE_DATE_EPOCH_FILE}
    COMMENT "Packing ${name}.zip"
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${zipFile})
endfunction()
