# Undoes the last install: cmake -DMANIFEST=<build>/install_manifest.txt -P Uninstall.cmake
# The manifest holds the paths without DESTDIR; an install into a DESTDIR is undone with the same
# DESTDIR set. Links count as files (the one into bin/ or games/ dangles once the game is gone).
if(NOT EXISTS "${MANIFEST}")
  message(FATAL_ERROR "${MANIFEST} is missing: nothing was installed from this build")
endif()
file(STRINGS "${MANIFEST}" installed)
set(folders "")
foreach(file IN LISTS installed)
  set(file "$ENV{DESTDIR}${file}")
  if(EXISTS "${file}" OR IS_SYMLINK "${file}")
    message(STATUS "Removing: ${file}")
    file(REMOVE "${file}")
  endif()
  cmake_path(GET file PARENT_PATH folder)
  list(APPEND folders "${folder}")
endforeach()
# Folders named after the game hold nothing else (the game's own and its documentation); shared
# ones such as share/applications stay.
list(REMOVE_DUPLICATES folders)
foreach(folder IN LISTS folders)
  cmake_path(GET folder FILENAME name)
  file(GLOB left LIST_DIRECTORIES true "${folder}/*" "${folder}/.*")
  if(name STREQUAL "nuikaro" AND IS_DIRECTORY "${folder}" AND NOT left)
    message(STATUS "Removing: ${folder}/")
    file(REMOVE_RECURSE "${folder}")
  endif()
endforeach()
