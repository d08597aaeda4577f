#include "readme/markdown_readme.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "project/facts.h"
#include "readme/markdown_page.h"
#include "text/codepage.h"

namespace quillory {
namespace {

using testing::ExpectSafeMarkdown;
using testing::MarkdownPage;
using testing::ReadMarkdown;
using Sections = std::vector<std::pair<std::string, std::string>>;

TEST(MarkdownReadme, OneLineValuesShowTheirOwnCharactersAndLinkWhereTheRuleAllows) {
  // Everything Markdown or HTML would interpret, in every one-line fact and letters of several scripts.
  const std::string hostile =
      "1. *a* _b_ <script>x()</script> [l](http://e) `c` ~~s~~ &amp; \\*| # © ő日😀 <http://x> www.x.org";
  ReadmeProject record;
  for (const Fact* fact : ReleaseFacts()) {
    if (!fact->multi_line()) record.*fact->member = hostile;
  }
  record.program_name = "# Tool #";
  record.down_url = "https://example.com/get?a=1&b=é";
  record.down_mirror = "javascript:alert(1)";
  record.surce_url = "http://example.com/a b (1)";
  record.screenshot_url = "ftp://example.com/&amp;";
  record.website = "HTTP://example.com/<x>";
  record.email = "a&b<c>@example.com";
  record.md5 = "`x``";

  const std::string markdown = BuildMarkdownReadme(record);
  ASSERT_TRUE(IsValidUtf8(markdown));
  EXPECT_EQ(markdown.find('\r'), std::string::npos);
  ExpectSafeMarkdown(markdown);
  const MarkdownPage page = ReadMarkdown(markdown);
  const std::string shown = hostile;
  EXPECT_EQ(page.headings, (std::vector<int>{1, 2, 2}));
  std::string program_info;
  for (const Fact* fact : FactsInBlock(ReadmeBlock::kProgramInfo)) {
    program_info += std::string(fact->caption) + ": " + record.*fact->member;
  }
  EXPECT_EQ(page.sections, (Sections{{"", "# Tool # " + shown + shown},
                                     {"Program Info", program_info},
                                     {"Contact", "Website: " + record.website + "Email: " + record.email}}));
  // The addresses the rule allows, with their blanks, parentheses and references; the rest stays text.
  EXPECT_EQ(page.hrefs, (std::vector<std::string>{"https://example.com/get?a=1&b=\xC3\xA9",
                                                  "http://example.com/a b (1)", "ftp://example.com/&amp;",
                                                  "HTTP://example.com/<x>", "mailto:a&b<c>@example.com"}));
  EXPECT_EQ(page.code, (std::vector<std::string>{"`x``", shown}));
}

TEST(MarkdownReadme, EachTextShowsAndEndsInsideItsOwnSection) {
  struct Text {
    std::string ReadmeProject::*member;
    std::string value;  // as the record holds it: CR LF line breaks
    std::string shows;  // what its section shows, or a stretch of it
  };
  const std::string img = "<img src=x onerror=alert(1)>";
  // Each opens something that would run on into the sections after it.
  const Text texts[] = {
      {&ReadmeProject::descript_uses,
       "First line\r\nsecond <b>line</b> \\<i>\r\n\r\n- *item*\r\n\r\n```c\r\nif (a<b) x();\r\n",
       "First line\nsecond <b>line</b> <i>itemif (a<b) x();\n"},
      {&ReadmeProject::required, "<script>alert(1)</script>\r\n<!-- c -->\r\n\r\n- item\r\n  ```\r\n" + img,
       "<script>alert(1)</script><!-- c -->item" + img},
      {&ReadmeProject::news, "a\r\n  ```\r\nb", "ab\n"},
      {&ReadmeProject::changelog, "Title\r\n---\r\n> ~~~\r\n> x\r\n\r\n<pre>\r\n\r\n" + img,
       "Titlex\n<pre>" + img},
      {&ReadmeProject::todo, "| a | <b>b</b> |\r\n|---|---|\r\n| ![i](http://t/x.png) | [c](javascript:x)",
       "a<b>b</b>ic"},
      {&ReadmeProject::license, "GPL ```` <b>\r\n\r\n    indented\tline  \r\n~~~",
       "GPL ```` <b>\n\n    indented\tline  \n~~~\n"},
  };
  ReadmeProject record;
  record.program_name = "Tool";
  Sections expected = {{"", "Tool"}, {"Program Info", "Program Name: Tool"}};
  for (const Text& text : texts) {
    record.*text.member = text.value;
    expected.emplace_back(FactOf(text.member).caption, text.shows);
  }

  const std::string markdown = BuildMarkdownReadme(record);
  ExpectSafeMarkdown(markdown);
  EXPECT_EQ(ReadMarkdown(markdown).sections, expected) << markdown;
}

}  // namespace
}  // namespace quillory
