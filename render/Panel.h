// The side panel's texts, shared by the panel's drawing and its checks.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace nuikaro {

inline constexpr std::string_view TitleText = "ぬいかろ";
inline constexpr std::string_view ScorePrefix = "得点：";
inline constexpr std::string_view Grow3Legend = "＋３＆得点＋３";
inline constexpr std::string_view Grow5Legend = "＋５＆得点＋５";
inline constexpr std::string_view Shrink3Legend = "－３";

// The score line: the prefix and the score in decimal with at least six digits, leading zeros
// ("得点：000042"); a minus sign goes before the digits.
std::string ScoreText(int32_t score);

}  // namespace nuikaro
