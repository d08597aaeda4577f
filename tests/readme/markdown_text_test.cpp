#include "readme/markdown_text.h"

#include <cmark-gfm.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "readme/markdown_page.h"

namespace quillory {
namespace {

using testing::ExpectSafeMarkdown;
using testing::MarkdownPage;
using testing::ReadMarkdown;

// Text as the library's own CommonMark writer writes it back.
std::string LibraryWrites(const std::string& text) {
  cmark_node* root = cmark_parse_document(text.data(), text.size(), CMARK_OPT_DEFAULT);
  char* written = cmark_render_commonmark(root, CMARK_OPT_DEFAULT, 0);
  std::string markdown = written;
  free(written);
  cmark_node_free(root);
  return markdown;
}

// A change log section as projects paste it into What's New.
const std::string kKeepAChangelog = R"(## [1.4.0] - 2024-05-02
The format is based on [Keep a Changelog](https://keepachangelog.com/en/1.1.0/),
and this project adheres to [Semantic Versioning][semver].

### Added
- `--dry-run` option for sync, see [#42](https://github.com/acme/tool/issues/42).
- Support for `Vec<T>` payloads and *nested* **emphasis**.
- Windows builds ([@jane](https://github.com/jane)).

### Changed
1. ~~Deprecated~~ removed the legacy flag.
   Paths may hold blanks: `C:\Program Files\Tool`.

```sh
tool sync
```

[1.4.0]: https://github.com/acme/tool/compare/v1.3.0...v1.4.0
[semver]: javascript:alert(1)
)";

TEST(MarkdownAuthorText, HostileTextsComeOutSafeWithTheirCodeAndAllowedLinks) {
  const std::string img = "<img src=x onerror=alert(1)>";
  const std::string mailto = "[img src=x onerror=alert(1)](<mailto:img src=x onerror=alert(1)>)";
  struct Case {
    const char* name;
    std::string text;
    std::vector<std::string> code;   // every code span and block the README shows, in order
    std::vector<std::string> hrefs;  // every link target, in order
    std::string shows;               // a stretch of the text it shows as it is
    bool stable;                     // written again, it stays as it is
    std::vector<int> headings = {};  // the levels of its headings
  };
  // clang-format off
  const Case cases[] = {
      {"fence indented 1", " ```\nx\n```\n" + img, {"x\n"}, {}, img, true},
      {"fence indented 2", "  ```\n<b>x</b>\n  ```\n" + img, {"<b>x</b>\n"}, {}, img, true},
      {"~~~ indented 3", "   ~~~\na  \n   ~~~\n<script>x</script>", {"a  \n"}, {}, "<script>x</script>",
       true},
      {"tilde fence, backtick info", "~~~ a`b\nx\n~~~~\n" + img + "\n~~~~~", {"x\n"}, {}, img, true},
      {"fence in a tight list item", "- a\n  ```\n  " + img + "\n  ```\n- b", {img + "\n"}, {}, "b", true},
      {"fence left open", "a\n  ```\nb", {"b\n"}, {}, "a", true},
      {"nested lists with HTML", "- a <b>b</b>\n  - <script>x()</script>\n    1. " + img, {}, {},
       "a <b>b</b><script>x()</script>" + img, true},
      {"lists side by side", "- a\n* b\n\n```\nx\n```", {"x\n"}, {}, "ab", true},
      {"raw HTML block", "<div>\n  <p onclick=x>y</p>\n</div>\n\n<!-- c -->", {}, {},
       "<div>\n<p onclick=x>y</p>\n</div><!-- c -->", true},
      {"entity-encoded schemes", "[e](&#106;avascript:x) [f](&#x6A;avascript:x) [c](javascript:x) "
       "[ok](http://a/&amp;amp;?b=1&c=2)", {}, {"http://a/&amp;?b=1&c=2"}, "e f c ok", true},
      {"reference definitions", "[r]: javascript:x\n[s]: <https://ok.example/a b> \"T\"\n\n[r] [s] [t][r]",
       {}, {"https://ok.example/a b"}, "r s t", true},
      {"images", "![i](http://tracker/t.png) ![](http://t/x.png) [![n](http://i.png)](http://l) ![b](data:x)",
       {}, {"http://tracker/t.png", "http://t/x.png", "http://l"}, "i ", true},
      {"mailto autolink writer", mailto, {}, {"mailto:img src=x onerror=alert(1)"}, "img src=x onerror", true},
      {"setext underlines", "Title\n=====\n<b>x</b>\n---\n\nplain\n\\===", {}, {}, "Title<b>x</b>plain\n===",
       true, {3, 4}},
      {"table with HTML in cells",
       "| a | <b>b</b> |\n|---|---|\n| " + img + " | `x\\|y` ~~s\\|t~~ [l](http://a/\\|b) |", {"x|y"},
       {"http://a/|b"}, img, true},
      {"code spans", "`Vec<T>` and ``a ` b`` and `  ` and Vec<T>", {"Vec<T>", "a ` b", "  "}, {}, "Vec<T>",
       true},
      {"user's autolink", "See <https://example.org/docs>.", {}, {"https://example.org/docs"}, "See ", true},
      {"address with a blank", "https://x/a_b c", {}, {"https://x/a_b"}, "https://x/a_b c", true},
      {"autolinker in brackets", "[http://e.com/a_b" + img + "](", {}, {}, "http://e.com/a_b" + img, true},
      {"hard breaks", "a  \nb\\\nc\nd", {}, {}, "a\nb\nc\nd", true},
      {"blank lines in quotes and items", "> a\n>\n> ```\n> x  \n>\n> ```\n\n- \n- b", {"x  \n\n"}, {}, "a",
       true},
      {"headings below the section's", "# A\n## B\n###### C\nD\n-", {}, {}, "A", true, {3, 4, 6, 4}},
      {"Keep a Changelog", kKeepAChangelog, {"--dry-run", "Vec<T>", "C:\\Program Files\\Tool", "tool sync\n"},
       {"https://github.com/acme/tool/compare/v1.3.0...v1.4.0", "https://keepachangelog.com/en/1.1.0/",
        "https://github.com/acme/tool/issues/42", "https://github.com/jane"},
       "adheres to Semantic Versioning.", true, {4, 5, 5}},
      {"refused link the autolinker makes", "jj---xmpp:a@b.com", {"jj---xmpp:a@b.com\n"}, {}, "", false},
      {"nested too deep", std::string(100, '>') + " x", {std::string(100, '>') + " x\n"}, {}, "", false},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string markdown = MarkdownAuthorText(c.text, 2);
    ExpectSafeMarkdown(markdown);
    const MarkdownPage page = ReadMarkdown(markdown);
    EXPECT_EQ(page.headings, c.headings);
    EXPECT_EQ(page.code, c.code) << markdown;
    EXPECT_EQ(page.hrefs, c.hrefs) << markdown;
    EXPECT_NE(page.shown.find(c.shows), std::string::npos) << page.shown;
    if (c.stable) {
      EXPECT_EQ(MarkdownAuthorText(markdown, 0), markdown);
    }
  }

  // The checks have teeth: the library's writer alone lets raw HTML and a refused link through.
  EXPECT_EQ(ReadMarkdown(LibraryWrites(mailto)).forbidden, std::vector<std::string>{"html_block"});
  EXPECT_EQ(ReadMarkdown(LibraryWrites("[x](&amp;#106;avascript:x)")).hrefs,
            std::vector<std::string>{"javascript:x"});
}

TEST(MarkdownFacts, ValuesShowAsTypedAndLinkOnlyWhereTheRuleAllows) {
  const std::string hostile =
      "1. *a* _b_ <b>x</b> [l](http://e) `c` ~~s~~ &amp; \\*| # https://x/a_b c www.x.com git+HTTP://x/a_b "
      "git://x";
  struct Case {
    const char* name;
    std::string markdown;
    std::string shown;
    std::vector<std::string> hrefs;
  };
  // clang-format off
  const Case cases[] = {
      {"inline", "F: " + MarkdownInlineText(hostile + " \r\n"), "F: " + hostile, {}},
      {"heading", "# " + MarkdownInlineText("# Tool #", true), "# Tool #", {}},
      {"paragraph", MarkdownParagraphText("  1. -x"), "1. -x", {}},
      {"paragraph of marks", MarkdownParagraphText("=== #"), "=== #", {}},
      {"autolink", MarkdownAddress("HTTPS://x.org/?a&b"), "HTTPS://x.org/?a&b", {"HTTPS://x.org/?a&b"}},
      {"blanks and parentheses", MarkdownAddress(" http://x/a_b c (1) "), "http://x/a_b c (1)",
       {"http://x/a_b c (1)"}},
      {"reference", MarkdownAddress("ftp://x/&amp;"), "ftp://x/&amp;", {"ftp://x/&amp;"}},
      {"refused", MarkdownAddress("java\tscript:alert(1)"), "java\tscript:alert(1)", {}},
      {"no scheme", MarkdownAddress("example.com/x_y"), "example.com/x_y", {"example.com/x_y"}},
      {"mailto", MarkdownMailto("a&b<c>\\@x.org"), "a&b<c>\\@x.org", {"mailto:a&b<c>\\@x.org"}},
      {"code span", MarkdownCodeSpan("`x`` "), "`x`` ", {}},
      {"code span of blanks", MarkdownCodeSpan("  "), "  ", {}},
      {"code block", MarkdownCodeBlock("a\n```` <b>\n  b  \n"), "a\n```` <b>\n  b  \n", {}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectSafeMarkdown(c.markdown + "\n");
    const MarkdownPage page = ReadMarkdown(c.markdown);
    EXPECT_EQ(page.shown, c.shown) << c.markdown;
    EXPECT_EQ(page.hrefs, c.hrefs) << c.markdown;
  }
}

TEST(MarkdownFacts, LinkTargetsAreWebMailAndPathsOnlyAutolinksOnlyWhatShowsExactly) {
  for (const char* url : {"http://a", "a/b:c", "#x:y", "mailto:a@b", " XMPP:a@b", "-xmpp:a@b", "\\x:y"}) {
    EXPECT_TRUE(IsMarkdownLinkTarget(url)) << url;
  }
  for (const char* url :
       {"javascript:x", "java\tscript:x", "data:text/html,x", "jj---xmpp:a@b", "file:///x"}) {
    EXPECT_FALSE(IsMarkdownLinkTarget(url)) << url;
  }
  for (const char* url : {"http://a.b/", "HTTPS://a.b/?x=1&y=2", "ftp://a.b/f.zip", "http://a.b/\xC3\xA9"}) {
    EXPECT_TRUE(IsMarkdownAutolink(url)) << url;
  }
  for (const char* url : {"a.b", "mailto:a@b", "javascript://x", "http://", "http://a b", "http://a\tb",
                          "http://a<b", "http://a>b", "http://a/&amp;", "http://a/&#38;", "file:///etc"}) {
    EXPECT_FALSE(IsMarkdownAutolink(url)) << url;
  }
}

}  // namespace
}  // namespace quillory
