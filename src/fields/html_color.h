#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillory {

// A named HTML colour: its name and its value as 0xRRGGBB.
struct NamedColor {
  std::string_view name;
  std::uint32_t rgb;
};

// The 140 named colours of CSS Color Level 3, less the alternative spellings with "grey" (except
// "lightgrey", the only name kept for D3D3D3), in alphabetical order.
const std::array<NamedColor, 140>& NamedColors();

// The HtmlColor of a platform colour value (red in the low byte, green in the second, blue in the third;
// the high byte is ignored): the first table name with that value ("white", "aqua" rather than "cyan"),
// otherwise "#" and six upper-case hexadecimal digits ("#12ABEF"). status is set to 0 on success; any
// failure gives "#000000" with a non-zero status.
std::string ColorToHtml(std::uint32_t platform_color, int& status);

}  // namespace quillory
