#include "render/Panel.h"

#include <cstdlib>

#include "render/Renderer.h"
#include "render/Text.h"

namespace nuikaro {

namespace {

// How a panel text is drawn: character cell height, weight (400 normal, 700 bold) and slant.
struct TextStyle {
  int32_t Height;
  int32_t Weight;
  int32_t Italic;
};
constexpr TextStyle TitleStyle{20, 700, 1};   // bold italic
constexpr TextStyle ScoreStyle{17, 400, 0};   // normal upright
constexpr TextStyle LegendStyle{15, 700, 0};  // bold upright

constexpr int32_t ItemIconX = 490;
constexpr int32_t BodyIconX = 510;
constexpr int32_t LegendX = 525;
constexpr int32_t FirstLegendY = 200;
constexpr int32_t LegendSpacing = 16;

// The body facing up stands for the snake in every legend row.
constexpr int32_t BodyCellX = DirUp * CellPixels;
constexpr int32_t BodyCellY = StateBody * CellPixels;

void DrawText(const DeviceContext& dc, std::string_view text, int32_t x, int32_t y,
              const TextStyle& style, uint32_t colour) {
  DrawString(dc, text, x, y, style.Height, style.Weight, style.Italic, colour, PanelFaceName);
}

// One legend row: the item's picture, the body's picture and the text with its shadow.
void DrawLegend(Renderer& renderer, const DeviceContext& dc, int32_t kind, int32_t y,
                std::string_view text) {
  const Surface& sheet = renderer.ItemSprite.Pixels;
  BitBlt(renderer.BackBuffer, ItemIconX, y, CellPixels, CellPixels, &sheet, kind * CellPixels, 0,
         RasterOp::SourceCopy);
  BitBlt(renderer.BackBuffer, BodyIconX, y, CellPixels, CellPixels, &sheet, BodyCellX, BodyCellY,
         RasterOp::SourceCopy);
  DrawText(dc, text, LegendX + 1, y + 1, LegendStyle, Rgb(255, 255, 255));
  DrawText(dc, text, LegendX, y, LegendStyle, Rgb(255, 0, 0));
}

}  // namespace

std::string ScoreText(int32_t score) {
  // In 64 bits, so that the most negative score has a magnitude too.
  const int64_t value = score;
  std::string digits = std::to_string(std::llabs(value));
  while (digits.size() < 6) {
    digits.insert(0, 1, '0');
  }
  return std::string(ScorePrefix) + (value < 0 ? "-" : "") + digits;
}

void DrawPanel(Renderer& renderer) {
  const DeviceContext dc{renderer.BackBuffer, renderer.Fonts};
  DrawText(dc, TitleText, 517, 12, TitleStyle, Rgb(128, 128, 128));
  DrawText(dc, TitleText, 515, 10, TitleStyle, Rgb(255, 255, 255));
  const std::string score = ScoreText(renderer.Game.Score);
  DrawText(dc, score, 511, 31, ScoreStyle, Rgb(255, 255, 255));
  DrawText(dc, score, 510, 30, ScoreStyle, Rgb(0, 255, 255));
  DrawLegend(renderer, dc, KindGrow3, FirstLegendY, Grow3Legend);
  DrawLegend(renderer, dc, KindGrow5, FirstLegendY + LegendSpacing, Grow5Legend);
  DrawLegend(renderer, dc, KindShrink3, FirstLegendY + 2 * LegendSpacing, Shrink3Legend);
}

}  // namespace nuikaro
