#include "fields/html_color.h"

#include <gtest/gtest.h>

#include "support/fake_dialogs.h"
#include "commands/html_commands.h"
#include "commands/window_state.h"

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

TEST(HtmlCommands, EachColourCommandSetsItsOwnSettingFromANewDialog) {
  const std::pair<HtmlColorSlot, std::string ReadmeProject::*> slots[] = {
      {HtmlColorSlot::kBody, &ReadmeProject::c1},   {HtmlColorSlot::kTdFont, &ReadmeProject::c2},
      {HtmlColorSlot::kBorder, &ReadmeProject::c3}, {HtmlColorSlot::kBorderBackground, &ReadmeProject::c4},
      {HtmlColorSlot::kStrong, &ReadmeProject::c5}, {HtmlColorSlot::kH3, &ReadmeProject::c6},
  };
  for (const auto& [slot, member] : slots) {
    ReadmeProject record;
    SetHtmlDefaults(record);
    ReadmeProject expected = record;
    testing::FakeDialogs dialogs;
    dialogs.color_answers = {Platform(0x12, 0xAB, 0xEF), std::nullopt, Platform(0, 255, 255)};

    ChooseHtmlColor(record, dialogs, slot);
    expected.*member = "#12ABEF";
    EXPECT_EQ(record.c1 + record.c2 + record.c3 + record.c4 + record.c5 + record.c6,
              expected.c1 + expected.c2 + expected.c3 + expected.c4 + expected.c5 + expected.c6);

    record.*member = "not a colour";         // as a document may carry it
    ChooseHtmlColor(record, dialogs, slot);  // cancelled
    EXPECT_EQ(record.*member, "not a colour");
    ChooseHtmlColor(record, dialogs, slot);
    EXPECT_EQ(record.*member, "aqua");
    EXPECT_EQ(dialogs.color_requests, 3);
    EXPECT_EQ(record.chr, "iso-8859-1");
  }
}

TEST(HtmlCommands, CharacterSetMovesTheCheckMark) {
  ReadmeProject record;
  WindowState window;
  RestoreHtmlDefaults(record, window);
  ChooseCharset(record, window, CharsetItem::kUtf8);
  EXPECT_EQ(record.chr, "utf-8");
  EXPECT_EQ(window.charset_checked, (std::array<bool, 3>{true, false, false}));
  ChooseCharset(record, window, CharsetItem::kIso88592);
  EXPECT_EQ(record.chr, "iso-8859-2");
  EXPECT_EQ(window.charset_checked, (std::array<bool, 3>{false, false, true}));
  ChooseCharset(record, window, CharsetItem::kIso88591);
  EXPECT_EQ(record.chr, "iso-8859-1");
  EXPECT_EQ(window.charset_checked, (std::array<bool, 3>{false, true, false}));
  EXPECT_EQ(record.c1, "#f5f5f5");
}

}  // namespace
}  // namespace quillory
