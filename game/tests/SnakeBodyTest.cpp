#include <gtest/gtest.h>

#include "game/Game.h"
