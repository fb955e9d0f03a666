// Text output: strings drawn transparently onto a surface in a font found by face name.
#pragma once

#include <cstdint>
#include <string_view>

#include "render/FontCache.h"
#include "render/Surface.h"

namespace nuikaro {

// The face every text of the game asks for. Fontconfig knows no such face on Linux, so the font
// lookup maps it (and "MS PGothic") to a proportional Japanese Gothic: IPAPGothic first.
inline constexpr std::string_view PanelFaceName = "ＭＳ Ｐゴシック";

// Where text goes: the surface standing for the window's device context, and its fonts.
struct DeviceContext {
  Surface& Target;
  FontCache& Fonts;
};

// Draws text on one line with the top left of its first character cell at (x, y), in a font of
// the face at the given cell height, weight and slant, in colour (a pixel value, made with
// Rgb). Only the glyphs' pixels change, blended by their coverage; everything is clipped to the
// surface.
void DrawString(const DeviceContext& dc, std::string_view text, int32_t x, int32_t y,
                int32_t height, int32_t weight, int32_t italic, uint32_t colour,
                std::string_view faceName);

}  // namespace nuikaro
