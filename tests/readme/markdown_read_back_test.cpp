#include "readme/markdown_read_back.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace quillory {
namespace {

// Written documents, each as the writer and the rewrite could put it out or nearly: the line scan
// either reads them exactly as a full parse does or leaves them to it.
TEST(ScanBackMarkdown, ReadsWhatItAcceptsExactlyAsAFullParseDoes) {
  const struct {
    const char* name;
    std::string written;
    bool scanned;  // the scan can tell
  } cases[] = {
      {"text, code spans holding markup, an autolink and links the rule allows",
       "# Title  \n\nText \\<b\\> `Vec<T>` ``a`<b>`` <https://example.org/a?b> and\\\n"
       "[a link](<https://example.org/x \\(1\\)> \"t\\\"\") [path](<docs/a b.html>)\n\n"
       "- [ ] task  \n- [x] done\n> quoted \\[x\\]\n",
       true},
      {"fences in a list item and a quote, the writer's blank before the info string",
       "  - ``` sh\n    <b>raw</b> ![i](x)\n\n    ```\n\n> ```` text\n> ```\n>\n> ````\n\nafter\n", true},
      // (A fence after a paragraph in a list item stands after blanks the scan does not follow.)
      {"a fence after a paragraph in a list item", "1.  item\n    \n    ``` sh\n    x\n    ```\n", false},
      {"a table, strikethrough and an e-mail autolink",
       "| a | b |\n| --- | --- |\n| ~~x~~ | \\| <a.b@example.org> |\n\nmail a@example.org\n", true},
      {"raw HTML", "a <b>bold</b>\n", false},
      {"an image", "\\!x ![i](<https://example.org/i.png>)\n", false},
      {"a link the rule refuses", "[x](<javascript:alert(1)>)\n", false},
      {"an address the autolinker starts", "see www.example.org and http://example.org\n", false},
      {"an address after a scheme the autolinker takes", "jj---xmpp:a@b.com\n", false},
      {"a link whose opener is outside the line", "[a\nb](<https://example.org>)\n", false},
      {"a link split by a table cell", "| [a | b](<https://example.org>) |\n", false},
      {"a fence left open", "```text\ncode\n", false},
      {"a tilde fence", "~~~\n<b>x</b>\n", false},
      {"a fence closed at the margin of its list item", "- ```text\n  x\n```\n<b>y</b>\n", false},
      {"a closing fence indented as code", "```text\n    ```\n<b>x</b>\n", false},
      {"a processing instruction, not an address", "<?a@b.c>\n", false},
      {"a code span without its closing run", "`a\nb` <b>\n", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::optional<std::string> scanned = ScanBackMarkdown(c.written);
    EXPECT_EQ(scanned.has_value(), c.scanned);
    if (scanned) {
      EXPECT_EQ(scanned, ParseBackMarkdown(c.written));
    }
    EXPECT_EQ(ReadBackMarkdown(c.written), ParseBackMarkdown(c.written));
  }
}

}  // namespace
}  // namespace quillory
