# The two pictures the game reads from its own folder, named once for every build.
set(NUIKARO_PICTURES BackTile.bmp Nuik_Items.bmp)
set(NUIKARO_PICTURE_FILES "")
foreach(picture ${NUIKARO_PICTURES})
  list(APPEND NUIKARO_PICTURE_FILES ${PROJECT_SOURCE_DIR}/assets/${picture})
endforeach()

# Copies the two pictures beside target's program when it is built.
function(nuikaro_pictures_beside target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${NUIKARO_PICTURE_FILES} $<TARGET_FILE_DIR:${target}>
    VERBATIM)
endfunction()
