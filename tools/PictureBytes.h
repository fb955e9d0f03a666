// Little-endian writing for the PNG writer (PngWriter.cpp), whose stored deflate blocks count their
// lengths this way: the same helpers the BMP files use, defined once in render/BmpFormat.h.
#pragma once

#include "render/BmpFormat.h"
