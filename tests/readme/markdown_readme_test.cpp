#include "readme/markdown_readme.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "project/facts.h"
#include "support/temp_dir.h"
#include "text/codepage.h"

namespace quillory {
namespace {

// The page a CommonMark implementation makes of markdown, raw HTML let through so that it would show.
std::string Rendered(const std::string& markdown) {
  testing::TempDir dir;
  testing::WriteFile(dir.File("README.md"), markdown);
  const std::string command = "cmark-gfm --unsafe -e table -e strikethrough '" + dir.File("README.md") + "' > '" +
                              dir.File("page.html") + "'";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  return testing::ReadFile(dir.File("page.html"));
}

// The characters a stretch of the page shows: tags dropped, the escapes cmark writes undone.
std::string ShownText(std::string html) {
  html = std::regex_replace(html, std::regex("<[^>]*>"), "");
  for (const auto& [entity, c] : {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}}) {
    html = std::regex_replace(html, std::regex(entity), c);
  }
  return html;
}

// The inner HTML of every element named tag, in order.
std::vector<std::string> Elements(const std::string& html, const std::string& tag) {
  std::vector<std::string> found;
  const std::regex element("<" + tag + "(?: [^>]*)?>([\\s\\S]*?)</" + tag + ">");
  for (std::sregex_iterator it(html.begin(), html.end(), element), end; it != end; ++it) found.push_back((*it)[1]);
  return found;
}

std::vector<std::string> Attributes(const std::string& html, const std::string& name) {
  std::vector<std::string> found;
  const std::regex attribute(" " + name + "=\"([^\"]*)\"");
  for (std::sregex_iterator it(html.begin(), html.end(), attribute), end; it != end; ++it) {
    found.push_back(ShownText((*it)[1]));
  }
  return found;
}

class MarkdownRendered : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::system("cmark-gfm --version > /dev/null 2>&1") != 0) GTEST_SKIP() << "cmark-gfm is not installed";
  }
};

TEST_F(MarkdownRendered, OneLineValuesShowTheirOwnCharacters) {
  // Everything Markdown or HTML would interpret, in every one-line fact (Windows-1252 bytes).
  const std::string hostile =
      "1. *a* _b_ <script>x()</script> [l](http://e) `c` ~~s~~ &amp; \\*| # \xA9 <http://x>";
  ReadmeProject record;
  for (const Fact* fact : ReleaseFacts()) {
    if (!fact->multi_line()) record.*fact->member = hostile;
  }
  record.program_name = "# Tool #";
  record.down_url = "https://example.com/get?a=1&b=\xE9";
  record.down_mirror = "javascript:alert(1)";
  record.surce_url = "http://example.com/a b";
  record.screenshot_url = "ftp://example.com/&amp;";
  record.website = "HTTP://example.com/<x>";
  record.email = "a&b<c>@example.com";
  record.md5 = "`x``";

  const std::string markdown = BuildMarkdownReadme(record);
  ASSERT_TRUE(IsValidUtf8(markdown));
  EXPECT_EQ(markdown.find('\r'), std::string::npos);
  const std::string page = Rendered(markdown);
  const std::string shown = Cp1252ToUtf8(hostile);

  std::set<std::string> tags;
  const std::regex tag("<(\\w+)");
  for (std::sregex_iterator it(page.begin(), page.end(), tag), end; it != end; ++it) tags.insert((*it)[1]);
  EXPECT_EQ(tags, (std::set<std::string>{"a", "code", "h1", "h2", "li", "p", "strong", "ul"})) << page;

  EXPECT_EQ(ShownText(Elements(page, "h1").at(0)), "# Tool # " + shown) << markdown;
  EXPECT_EQ(ShownText(Elements(page, "p").at(0)), shown);  // the copyright
  EXPECT_EQ(Elements(page, "h2"), (std::vector<std::string>{"Program Info", "Contact"}));

  std::vector<std::string> expected_items;
  for (const Fact* fact : FactsInBlock(ReadmeBlock::kProgramInfo)) {
    expected_items.push_back(std::string(fact->caption) + ": " + Cp1252ToUtf8(record.*fact->member));
  }
  expected_items.push_back("Website: " + Cp1252ToUtf8(record.website));
  expected_items.push_back("Email: " + record.email);
  std::vector<std::string> items;
  for (const std::string& item : Elements(page, "li")) items.push_back(ShownText(item));
  EXPECT_EQ(items, expected_items) << markdown;

  // Only the two addresses that are safe as they stand become links, plus the email.
  EXPECT_EQ(Attributes(page, "href"), (std::vector<std::string>{"https://example.com/get?a=1&b=%C3%A9",
                                                                "mailto:a&b%3Cc%3E@example.com"}));
  EXPECT_EQ(Elements(page, "code").at(0), "`x``");
}

TEST_F(MarkdownRendered, TextsAreTheAuthorsMarkdownWithoutRawHtml) {
  ReadmeProject record;
  record.program_name = "Tool";
  record.descript_uses = "First line\r\nsecond <b>line</b> \\<i>\r\n\r\n- *item*\r\n\r\n```c\r\nif (a<b) x();\r\n";
  // A fence inside a list item ends with the item: what follows is no code.
  record.required = "<script>alert(1)</script>\r\n<!-- c -->\r\n\r\n- item\r\n  ```\r\n<b>x</b>\r\n```";
  record.license = "GPL ```` <b>\r\n\r\n    indented\tline  \r\n";

  const std::string page = Rendered(BuildMarkdownReadme(record));
  EXPECT_EQ(page.find("<script"), std::string::npos) << page;
  EXPECT_EQ(page.find("<b>"), std::string::npos) << page;
  EXPECT_EQ(page.find("<!--"), std::string::npos) << page;
  // The unclosed code block is closed before the next section.
  EXPECT_EQ(Elements(page, "h2"), (std::vector<std::string>{"Program Info", "Description or/and Uses", "Required",
                                                            "License"}));
  const std::vector<std::string> paragraphs = Elements(page, "p");
  ASSERT_GE(paragraphs.size(), 2u);
  EXPECT_EQ(paragraphs[0], "First line<br />\nsecond &lt;b&gt;line&lt;/b&gt; &lt;i&gt;");
  EXPECT_EQ(Elements(page, "em"), std::vector<std::string>{"item"});
  EXPECT_EQ(ShownText(paragraphs[1]), "<script>alert(1)</script>\n<!-- c -->");

  const std::vector<std::string> code = Elements(page, "code");
  ASSERT_GE(code.size(), 2u);
  EXPECT_EQ(ShownText(code.front()), "if (a<b) x();\n");
  EXPECT_EQ(ShownText(code.back()), "GPL ```` <b>\n\n    indented\tline  \n");
  EXPECT_NE(page.find("<code class=\"language-text\">"), std::string::npos);
}

TEST(MarkdownReadme, LinkRule) {
  for (const char* linkable : {"http://a.b/", "HTTPS://a.b/?x=1&y=2", "ftp://a.b/f.zip", "http://a.b/\xC3\xA9"}) {
    EXPECT_TRUE(IsMarkdownLinkable(linkable)) << linkable;
  }
  for (const char* plain : {"a.b", "mailto:a@b", "javascript://x", "http://", "http://a b", "http://a\tb",
                            "http://a<b", "http://a>b", "http://a/&amp;", "http://a/&#38;", "file:///etc"}) {
    EXPECT_FALSE(IsMarkdownLinkable(plain)) << plain;
  }
}

}  // namespace
}  // namespace quillory
