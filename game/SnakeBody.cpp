#include "game/Game.h"
