#include "render/Renderer.h"
