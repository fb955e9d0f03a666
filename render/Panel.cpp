#include "render/Renderer.h"

namespace nuikaro {

void DrawPanel(Renderer&) {}

}  // namespace nuikaro
