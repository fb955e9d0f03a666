// The side panel right of the board: title, score and the legend of the three item kinds.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace nuikaro {

struct Renderer;

// The game's name: the panel's title, and the caption of the window and of every box.
inline constexpr char TitleText[] = "ぬいかろ";
inline constexpr std::string_view ScorePrefix = "得点：";
inline constexpr std::string_view Grow3Legend = "＋３＆得点＋３";
inline constexpr std::string_view Grow5Legend = "＋５＆得点＋５";
inline constexpr std::string_view Shrink3Legend = "－３";

// The score line: the prefix and the score in decimal with at least six digits, leading zeros
// ("得点：000042"); a minus sign goes before the digits.
std::string ScoreText(int32_t score);

// Draws the panel into the back buffer over what lies there (RenderFrame's black): the title,
// the score and the legend, texts with their shadows. Called by RenderFrame after the snake.
void DrawPanel(Renderer& renderer);

}  // namespace nuikaro
