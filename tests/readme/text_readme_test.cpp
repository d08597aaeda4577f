#include "readme/text_readme.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace quillory {
namespace {

TEST(TextReadme, WorkedExampleByteForByte) {
  ReadmeProject r;
  r.program_name = "Tool";
  r.version = "1.2";
  r.license_type = "Freeware";
  r.copyright = "Example Team 2006";
  r.descript_uses = "Converts files.\r\nRuns from the command line.";
  r.todo = "More formats";
  const std::string written = JoinLines(BuildTextReadme(r));
  const std::string frame = ":::::::::::::::::::::: Example Team 2006 ::::::::::::::::::::::\r\n";
  const std::string expected = frame +
                               "\r\n\r\n"
                               "::::::::::::::::::\r\n:: PROGRAM INFO ::\r\n::::::::::::::::::\r\n\r\n"
                               "Program Name........: Tool\r\n"
                               "Version.............: 1.2\r\n"
                               "License Type........: Freeware\r\n\r\n"
                               ":::::::::::::::::::::::::::::\r\n:: DESCRIPTION or/and USES ::\r\n"
                               ":::::::::::::::::::::::::::::\r\n\r\n"
                               "Converts files.\r\nRuns from the command line.\r\n\r\n"
                               "::::::::::\r\n:: TODO ::\r\n::::::::::\r\n\r\n"
                               "More formats\r\n\r\n\r\n" +
                               frame;
  EXPECT_EQ(written.size(), 484u);
  EXPECT_EQ(written, expected);
}

TEST(TextReadme, BlocksFollowTheFilledFields) {
  ReadmeProject r;
  r.program_name = "P";
  EXPECT_EQ(BuildTextReadme(r),
            (TextLines{"::::::::::::::::::", ":: PROGRAM INFO ::", "::::::::::::::::::", "", "Program Name........: P"}));

  r.version = " ";  // blanks count as filled
  r.email = "a@b";
  r.license = "L";
  r.todo = "T\r\n";
  r.descript_uses = "D";
  r.news = "N";
  r.changelog = "C";
  r.required = "R";
  const TextLines lines = BuildTextReadme(r);
  EXPECT_EQ(lines[5], "Version.............:  ");
  EXPECT_EQ(lines[6], "");
  EXPECT_EQ(lines[7], ":::::::::::::");
  EXPECT_EQ(lines[8], ":: CONTACT ::");
  EXPECT_EQ(lines[11], "Email...............: a@b");
  std::vector<std::string> titles;
  for (const auto& line : lines) {
    if (line.starts_with(":: ")) titles.push_back(line);
  }
  EXPECT_EQ(titles, (std::vector<std::string>{":: PROGRAM INFO ::", ":: CONTACT ::", ":: DESCRIPTION or/and USES ::",
                                              ":: REQUIRED ::", ":: WHAT'S NEW ::", ":: CHANGE LOG ::", ":: TODO ::",
                                              ":: LICENSE ::"}));
  // A text that ends with a line break is one entry; written, it leaves an empty line before the next block.
  EXPECT_NE(JoinLines(lines).find("T\r\n\r\n\r\n:::::::::::::\r\n:: LICENSE ::"), std::string::npos);
}

}  // namespace
}  // namespace quillory
