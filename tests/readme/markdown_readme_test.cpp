#include "readme/markdown_readme.h"

#include <gtest/gtest.h>

#include <algorithm>
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

TEST(MarkdownReadme, ControlCharactersShowAsReplacementCharacters) {
  // Every C0 control but TAB and the line breaks, DEL, and the C1 controls (U+0080 and U+009F).
  const std::string controls = std::string(
                                   "a\x01"
                                   "b\x1F"
                                   "c\x7F"
                                   "d\xC2\x80"
                                   "e\xC2\x9F"
                                   "f") +
                               '\0' + "g";
  const std::string shown =
      "a\uFFFD"
      "b\uFFFD"
      "c\uFFFD"
      "d\uFFFD"
      "e\uFFFD"
      "f\uFFFD"
      "g";
  struct Case {
    std::string ReadmeProject::*member;
    std::string value;
    std::string shows;  // a stretch of what the README shows
    std::vector<std::string> hrefs = {};
  };
  const Case cases[] = {
      {&ReadmeProject::program_name, controls, shown},
      {&ReadmeProject::version, controls, shown},
      {&ReadmeProject::copyright, controls, shown},
      {&ReadmeProject::md5, controls, shown},
      {&ReadmeProject::website,
       "\x01 http://example.com/" + controls + "\x1F",
       "http://example.com/" + shown,
       {"http://example.com/" + shown}},
      {&ReadmeProject::email,
       controls + "@example.com",
       shown + "@example.com",
       {"mailto:" + shown + "@example.com"}},
      {&ReadmeProject::news, controls + "\r\n\r\n- `" + controls + "`", shown + shown},
      {&ReadmeProject::license, controls, shown},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(FactOf(c.member).caption);
    ReadmeProject record;
    record.*c.member = c.value;
    const std::string markdown = BuildMarkdownReadme(record);
    EXPECT_TRUE(std::none_of(markdown.begin(), markdown.end(), [](char b) {
      const auto byte = static_cast<unsigned char>(b);
      return (byte < 0x20 && byte != '\n') || byte == 0x7F;
    })) << markdown;
    EXPECT_EQ(markdown.find("\xC2\x80"), std::string::npos);
    EXPECT_EQ(markdown.find("\xC2\x9F"), std::string::npos);
    ExpectSafeMarkdown(markdown);
    const MarkdownPage page = ReadMarkdown(markdown);
    EXPECT_NE(page.shown.find(c.shows), std::string::npos) << page.shown;
    EXPECT_EQ(page.hrefs, c.hrefs);
  }
}

}  // namespace
}  // namespace quillory
