#include "commands/html_commands.h"

#include <gtest/gtest.h>

#include "commands/window_state.h"
#include "support/fake_dialogs.h"

namespace quillory {
namespace {

// A platform colour value: red in the low byte.
constexpr std::uint32_t Platform(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
  return red | (green << 8) | (blue << 16);
}

TEST(HtmlCommands, EachColourCommandSetsItsOwnSettingFromANewDialog) {
  for (auto member : {&ReadmeProject::c1, &ReadmeProject::c2, &ReadmeProject::c3, &ReadmeProject::c4,
                      &ReadmeProject::c5, &ReadmeProject::c6}) {
    ReadmeProject record;
    SetHtmlDefaults(record);
    ReadmeProject expected = record;
    testing::FakeDialogs dialogs;
    dialogs.color_answers = {Platform(0x12, 0xAB, 0xEF), std::nullopt, std::nullopt, Platform(0, 255, 255)};

    const std::uint32_t start = HtmlColorValue(record.*member).value();  // the default colour
    ChooseHtmlColor(record, dialogs, member);
    expected.*member = "#12ABEF";
    EXPECT_EQ(record.c1 + record.c2 + record.c3 + record.c4 + record.c5 + record.c6,
              expected.c1 + expected.c2 + expected.c3 + expected.c4 + expected.c5 + expected.c6);
    ChooseHtmlColor(record, dialogs, member);  // cancelled

    record.*member = "not a colour";           // as a document may carry it
    ChooseHtmlColor(record, dialogs, member);  // cancelled
    EXPECT_EQ(record.*member, "not a colour");
    ChooseHtmlColor(record, dialogs, member);
    EXPECT_EQ(record.*member, "aqua");
    // Each dialog starts at the colour the setting holds; a text that names none starts at black.
    EXPECT_EQ(dialogs.color_requests, (std::vector<std::uint32_t>{start, Platform(0x12, 0xAB, 0xEF), 0, 0}));
    EXPECT_EQ(record.chr, "iso-8859-1");
  }
}

TEST(HtmlCommands, ColourTextsNameTheirPlatformValues) {
  const std::pair<const char*, std::optional<std::uint32_t>> cases[] = {
      {"#12abEF", Platform(0x12, 0xAB, 0xEF)},
      {" #abc ", Platform(0xAA, 0xBB, 0xCC)},
      {"White", Platform(255, 255, 255)},
      {"lightgray", Platform(0xD3, 0xD3, 0xD3)},
      {"darkgrey", Platform(0xA9, 0xA9, 0xA9)},
      {"#12ABE", std::nullopt},
      {"#12ABEG", std::nullopt},
      {"12ABEF", std::nullopt},
      {"not a colour", std::nullopt},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(HtmlColorValue(text), value) << text;
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
