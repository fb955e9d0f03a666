#include <gtest/gtest.h>

#include "render/Surface.h"
