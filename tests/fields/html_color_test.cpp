#include "fields/html_color.h"

#include <gtest/gtest.h>

namespace quillory {
namespace {

// A platform colour value: red in the low byte.
constexpr std::uint32_t Platform(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
  return red | (green << 8) | (blue << 16);
}

std::string Html(std::uint32_t platform_color) {
  int status = -1;
  std::string html = ColorToHtml(platform_color, status);
  EXPECT_EQ(status, 0);
  return html;
}

TEST(ColorToHtml, NamesAndCodes) {
  EXPECT_EQ(Html(Platform(255, 255, 255)), "white");
  EXPECT_EQ(Html(Platform(0, 0, 0)), "black");
  EXPECT_EQ(Html(Platform(0x12, 0xAB, 0xEF)), "#12ABEF");
  EXPECT_EQ(Html(Platform(0, 255, 255)), "aqua");
  EXPECT_EQ(Html(Platform(255, 0, 255)), "fuchsia");
  EXPECT_EQ(Html(Platform(0xD3, 0xD3, 0xD3)), "lightgrey");
  EXPECT_EQ(Html(Platform(0xD4, 0xD0, 0xC8)), "#D4D0C8");
  EXPECT_EQ(Html(Platform(0xD4, 0xD0, 0xC8) | 0xFF000000), "#D4D0C8");  // the high byte plays no part
  EXPECT_EQ(Html(Platform(0x80, 0, 0) | 0x02000000), "maroon");
}

TEST(ColorToHtml, EveryTableValueGivesItsFirstName) {
  const auto& table = NamedColors();
  for (size_t i = 0; i < table.size(); ++i) {
    if (i > 0) {
      EXPECT_LT(table[i - 1].name, table[i].name);
    }
    const std::uint32_t rgb = table[i].rgb;
    const std::string expected = table[i].name == "cyan"      ? "aqua"
                                 : table[i].name == "magenta" ? "fuchsia"
                                                              : std::string(table[i].name);
    EXPECT_EQ(Html(Platform(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF)), expected);
  }
  // A few values, to catch a mistyped row.
  EXPECT_EQ(Html(Platform(0xFA, 0xFA, 0xD2)), "lightgoldenrodyellow");
  EXPECT_EQ(Html(Platform(0x66, 0x33, 0x99)), "#663399");  // rebeccapurple came after Level 3
  EXPECT_EQ(Html(Platform(0x80, 0x80, 0x80)), "gray");
  EXPECT_EQ(Html(Platform(0x00, 0x80, 0x00)), "green");
  EXPECT_EQ(Html(Platform(0x2F, 0x4F, 0x4F)), "darkslategray");
}

}  // namespace
}  // namespace quillory
