#include "nfo/nfo_builder.h"

#include <gtest/gtest.h>

namespace quillory {
namespace {

const std::string kBannerRule(21, '\xCD');

TEST(NfoText, EmptyProgramNameGivesNoLinesWhateverElseIsFilled) {
  ReadmeProject record;
  for (const auto& field : FactFields()) record.*field.member = "x";
  record.program_name.clear();
  EXPECT_TRUE(BuildNfoText(record).empty());
}

TEST(NfoText, OnlyTheBannerCleansTheCopyrightSymbols) {
  ReadmeProject record;
  record.program_name = "T\xA9";
  record.copyright = "\xA9 \xAE \x99\xA9";
  const TextLines lines = BuildNfoText(record);
  const std::string banner = "\xCC" + kBannerRule + " (C) (R) (tm)(C) " + kBannerRule + "\xB9";
  ASSERT_EQ(lines.size(), 11u);
  EXPECT_EQ(lines.front(), banner);
  EXPECT_EQ(lines.back(), banner);
  EXPECT_EQ(lines[7], "Program Name        : T\xA9");
  EXPECT_EQ(record.copyright, "\xA9 \xAE \x99\xA9");
}

TEST(NfoText, SectionsAndTheirSpacing) {
  ReadmeProject record;
  record.program_name = "T";
  record.email = "e@x";
  record.required = "  ";
  record.todo = "a\r\n";
  record.license = "caf\xE9";
  EXPECT_EQ(BuildNfoText(record), (TextLines{
                                      "\xDA" + std::string(16, '\xC4') + "\xBF",
                                      "\xB3  PROGRAM INFO  \xB3",
                                      "\xC0" + std::string(16, '\xC4') + "\xD9",
                                      "",
                                      "Program Name        : T",
                                      "",
                                      "\xDA" + std::string(11, '\xC4') + "\xBF",
                                      "\xB3  CONTACT  \xB3",
                                      "\xC0" + std::string(11, '\xC4') + "\xD9",
                                      "",
                                      "Email               : e@x",
                                      "",
                                      "\xDA" + std::string(12, '\xC4') + "\xBF",
                                      "\xB3  REQUIRED  \xB3",
                                      "\xC0" + std::string(12, '\xC4') + "\xD9",
                                      "",
                                      "  ",
                                      "",
                                      "\xDA" + std::string(9, '\xC4') + "\xBF",
                                      "\xB3  TODO   \xB3",
                                      "\xC0" + std::string(9, '\xC4') + "\xD9",
                                      "",
                                      "a\r\n",
                                      "",
                                      "\xDA" + std::string(11, '\xC4') + "\xBF",
                                      "\xB3  LICENSE  \xB3",
                                      "\xC0" + std::string(11, '\xC4') + "\xD9",
                                      "",
                                      "caf\xE9",
                                  }));
}

}  // namespace
}  // namespace quillory
