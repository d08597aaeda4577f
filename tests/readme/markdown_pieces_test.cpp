#include "readme/markdown_pieces.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "readme/markdown_page.h"
#include "readme/markdown_text.h"

namespace quillory {
namespace {

using Pieces = std::vector<std::pair<std::string, std::string>>;  // text, definitions

TEST(MarkdownPieces, CutsBetweenBlocksOutsideCodeAndBringTheirDefinitions) {
  const struct {
    const char* name;
    std::string text;
    Pieces pieces;
  } cases[] = {
      {"before each line at the margin after an empty line",
       "a\n\n# h1\nb\n## not after an empty line\n\n## h2\nc\n",
       {{"a\n\n", ""}, {"# h1\nb\n## not after an empty line\n\n", ""}, {"## h2\nc\n", ""}}},
      {"not inside a fence, nor one in a list item, nor an HTML comment; not before a list item",
       "a\n\n```\n\n# x\n```\n\n- ~~~\n\n  # x\n  ~~~\n\n- b\n\n<!--\n\n# x\n-->\n\n# y\n",
       {{"a\n\n", ""},
        {"```\n\n# x\n```\n\n- ~~~\n\n  # x\n  ~~~\n\n- b\n\n", ""},
        {"<!--\n\n# x\n-->\n\n", ""},
        {"# y\n", ""}}},
      {"a heading at the margin ends a list item and the fence in it",
       "- ```\n\n# x\n  ```\n\n# y\n",
       {{"- ```\n\n", ""}, {"# x\n  ```\n\n# y\n", ""}}},
      {"the first definition of each label a piece names, from anywhere",
       "[One]\n\n# a\n[2]\n\n# b\n\n[one]: /1\n> [2]: /2 \"two\"\n[one]: /again\n",
       {{"[One]\n\n", "[one]: /1\n"},
        {"# a\n[2]\n\n", "[2]: /2 \"two\"\n"},
        {"# b\n\n", ""},
        {"[one]: /1\n> [2]: /2 \"two\"\n[one]: /again\n", "[one]: /1\n[2]: /2 \"two\"\n"}}},
      {"whole: a definition that may go on a paragraph",
       "a\n[x]: /u\n\n# b\n[x]\n",
       {{"a\n[x]: /u\n\n# b\n[x]\n", ""}}},
      {"whole: a definition that goes on to the next line",
       "[x]:\n/u\n\n# b\n[x]\n",
       {{"[x]:\n/u\n\n# b\n[x]\n", ""}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Pieces pieces;
    for (const MarkdownPiece& piece : MarkdownPieces(c.text, 1)) {
      pieces.emplace_back(std::string(piece.text), piece.definitions);
    }
    EXPECT_EQ(pieces, c.pieces);
  }
  EXPECT_EQ(MarkdownPieces("a\n\n# b\n", 100).size(), 1u);
}

TEST(MarkdownPieces, ALongChangeLogReadsAsAWhole) {
  // Releases whose headings link through definitions at the very end, with a fence that holds
  // heading-like lines; long enough to be read in pieces.
  std::string log, definitions;
  std::vector<std::string> hrefs;
  for (int release = 0; release < 1200; ++release) {
    const std::string version = "1." + std::to_string(release);
    log += "## [" + version +
           "] - 2026-05-02\n\n### Fixed\n- `a<b>` in *one* place, see <https://example.org/" + version +
           ">.\n\n```sh\n\n# not a heading " + version + "\n```\n\n";
    definitions += "[" + version + "]: https://example.org/compare/" + version + "\n";
    hrefs.push_back("https://example.org/compare/" + version);
    hrefs.push_back("https://example.org/" + version);
  }
  log += definitions;
  ASSERT_GT(log.size(), size_t{192} << 10);
  const std::string markdown = MarkdownAuthorText(log, 2);
  const testing::MarkdownPage page = testing::ReadMarkdown(markdown);
  EXPECT_EQ(page.hrefs, hrefs);
  EXPECT_EQ(page.headings.size(), 2400u);
  ASSERT_EQ(page.code.size(), 2400u);
  EXPECT_EQ(page.code[1], "\n# not a heading 1.0\n");
  EXPECT_EQ(page.forbidden, std::vector<std::string>{});
  EXPECT_EQ(page.blank_ended_lines, std::vector<int>{});
}

}  // namespace
}  // namespace quillory
