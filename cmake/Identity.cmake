# What the game is called and which files it reads, named once for every build. CMake takes them
# from here, the C++ code from the header this writes (#include "nuikaro/Identity.h", through the
# nuikaro_identity library), the page and the packaging from the files configured with them. The
# version is the project's (the top CMakeLists.txt).
set(NUIKARO_VERSION ${PROJECT_VERSION})
# The desktop entry's name: the window's class and app_id, the icon's and the AppStream id.
set(NUIKARO_APP_ID io.github.nuikaro.nuikaro)
# The two pictures the game reads from its own folder.
set(NUIKARO_BACK_TILE_FILE BackTile.bmp)
set(NUIKARO_ITEM_SHEET_FILE Nuik_Items.bmp)
set(NUIKARO_PICTURES ${NUIKARO_BACK_TILE_FILE} ${NUIKARO_ITEM_SHEET_FILE})
set(NUIKARO_PICTURE_FILES "")
foreach(picture ${NUIKARO_PICTURES})
  list(APPEND NUIKARO_PICTURE_FILES ${PROJECT_SOURCE_DIR}/assets/${picture})
endforeach()

configure_file(${CMAKE_CURRENT_LIST_DIR}/Identity.h.in
               ${PROJECT_BINARY_DIR}/generated/nuikaro/Identity.h @ONLY)
add_library(nuikaro_identity INTERFACE)
target_include_directories(nuikaro_identity INTERFACE ${PROJECT_BINARY_DIR}/generated)

# Copies the two pictures beside target's program when it is built.
function(nuikaro_pictures_beside target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${NUIKARO_PICTURE_FILES} $<TARGET_FILE_DIR:${target}>
    VERBATIM)
endfunction()
