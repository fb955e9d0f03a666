# Writes a C++ source that holds a file's bytes: cmake -DINPUT=... -DOUTPUT=... -P EmbedFile.cmake
file(READ "${INPUT}" content HEX)
string(LENGTH "${content}" hexLength)
math(EXPR size "${hexLength} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${content}")
file(WRITE "${OUTPUT}.tmp"
  "// Generated from ${INPUT} at build time.\n"
  "#include \"linux/Icon.h\"\n\n"
  "namespace nuikaro {\n\n"
  "const unsigned char IconBmp[] = {${bytes}0};\n"
  "const std::size_t IconBmpSize = ${size};\n\n"
  "}  // namespace nuikaro\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
