#include "nfo/nfo_builder.h"

#include <gtest/gtest.h>

namespace quillory {
namespace {

const std::string kBannerRule(21, '\xCD');

TEST(NfoText, TheBannerAndTheFactsSpellOutTheCopyrightSymbols) {
  ReadmeProject record;
  record.program_name = "T© 日";
  record.copyright = "© ® ™© 日本";
  LostCharacters lost;
  const TextLines lines = BuildNfoText(record, &lost);
  const std::string banner = "\xCC" + kBannerRule + " (C) (R) (tm)(C) ?? " + kBannerRule + "\xB9";
  ASSERT_EQ(lines.size(), 11u);
  EXPECT_EQ(lines.front(), banner);
  EXPECT_EQ(lines.back(), banner);
  EXPECT_EQ(lines[7], "Program Name        : T(C) ?");
  EXPECT_EQ(lost.characters(), (std::vector<char32_t>{U'日', U'本'}));
}

// The three lines of a box around title (the golden files hold every box byte for byte).
TextLines Box(const std::string& title) {
  const std::string edge(title.size(), '\xC4');
  return {"\xDA" + edge + "\xBF", "\xB3" + title + "\xB3", "\xC0" + edge + "\xD9"};
}

TEST(NfoText, SectionsAndTheirSpacing) {
  ReadmeProject record;
  record.program_name = "T";
  record.email = "Kerényi";
  record.required = "  ";
  record.todo = "a\r\n";
  record.license = "café €\t–";
  std::vector<TextLines> expected = {
      Box("  PROGRAM INFO  "), {"", "Program Name        : T", ""},
      Box("  CONTACT  "),      {"", "Email               : Ker\x82nyi", ""},
      Box("  REQUIRED  "),     {"", "  ", ""},
      Box("  TODO   "),        {"", "a\r\n", ""},
      Box("  LICENSE  "),      {"", "caf\x82 EUR\t-"},
  };
  TextLines lines;
  for (const auto& part : expected) lines.insert(lines.end(), part.begin(), part.end());
  EXPECT_EQ(BuildNfoText(record), lines);
}

}  // namespace
}  // namespace quillory
