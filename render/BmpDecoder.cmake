# The BMP decoder on its own: bytes in, pixels out, with nothing but the standard library. The
# render library links it; the fuzz build (fuzz/) builds it again with the fuzzer's flags.
add_library(nuikaro_bmp_decoder STATIC
  ${CMAKE_CURRENT_LIST_DIR}/Surface.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Bitmap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BitmapHeader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BitmapPixels.cpp
)
target_include_directories(nuikaro_bmp_decoder PUBLIC ${PROJECT_SOURCE_DIR})
