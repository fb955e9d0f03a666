#include "render/Panel.h"

#include <cstdlib>

#include "render/Renderer.h"

namespace nuikaro {

namespace {

constexpr int32_t Normal = 400;
constexpr int32_t Bold = 700;
constexpr int32_t Italic = 1;
constexpr int32_t Upright = 0;

constexpr int32_t TitleHeight = 20;
constexpr int32_t ScoreHeight = 17;
constexpr int32_t LegendHeight = 15;

constexpr int32_t ItemIconX = 490;
constexpr int32_t BodyIconX = 510;
constexpr int32_t LegendX = 525;
constexpr int32_t FirstLegendY = 200;
constexpr int32_t LegendSpacing = 16;

// The body facing up stands for the snake in every legend row.
constexpr int32_t BodyCellX = DirUp * CellPixels;
constexpr int32_t BodyCellY = StateBody * CellPixels;

// One legend row: the item's picture, the body's picture and the text with its shadow.
void DrawLegend(Renderer& renderer, const DeviceContext& dc, int32_t kind, int32_t y,
                std::string_view text) {
  const Surface& sheet = renderer.ItemSprite.Pixels;
  BitBlt(renderer.BackBuffer, ItemIconX, y, CellPixels, CellPixels, &sheet, kind * CellPixels, 0,
         SRCCOPY);
  BitBlt(renderer.BackBuffer, BodyIconX, y, CellPixels, CellPixels, &sheet, BodyCellX, BodyCellY,
         SRCCOPY);
  DrawString(dc, text, LegendX + 1, y + 1, LegendHeight, Bold, Upright, RGB(255, 255, 255),
             PanelFaceName);
  DrawString(dc, text, LegendX, y, LegendHeight, Bold, Upright, RGB(255, 0, 0), PanelFaceName);
}

}  // namespace

std::string ScoreText(int32_t score) {
  // In 64 bits, so that the most negative score has a magnitude too.
  const int64_t value = score;
  std::string digits = std::to_string(std::llabs(value));
  if (digits.size() < 6) {
    digits.insert(0, 6 - digits.size(), '0');
  }
  return std::string(ScorePrefix) + (value < 0 ? "-" : "") + digits;
}

void DrawPanel(Renderer& renderer) {
  const DeviceContext dc{renderer.BackBuffer, renderer.Fonts};
  DrawString(dc, TitleText, 517, 12, TitleHeight, Bold, Italic, RGB(128, 128, 128), PanelFaceName);
  DrawString(dc, TitleText, 515, 10, TitleHeight, Bold, Italic, RGB(255, 255, 255), PanelFaceName);
  const std::string score = ScoreText(renderer.Game.Score);
  DrawString(dc, score, 511, 31, ScoreHeight, Normal, Upright, RGB(255, 255, 255), PanelFaceName);
  DrawString(dc, score, 510, 30, ScoreHeight, Normal, Upright, RGB(0, 255, 255), PanelFaceName);
  DrawLegend(renderer, dc, KindGrow3, FirstLegendY, Grow3Legend);
  DrawLegend(renderer, dc, KindGrow5, FirstLegendY + LegendSpacing, Grow5Legend);
  DrawLegend(renderer, dc, KindShrink3, FirstLegendY + 2 * LegendSpacing, Shrink3Legend);
}

}  // namespace nuikaro
