#include "readme/changelog_section.h"

#include <gtest/gtest.h>

namespace quillory {
namespace {

// A change log as Keep a Changelog writes it, with the traps a section must not stop at or start from.
constexpr std::string_view kLog =
    "# Changelog\n"
    "\n"
    "## [Unreleased]\n"
    "- nothing yet\n"
    "\n"
    "## [1.2.0](https://example.org/compare/v1.1...v1.2.0) - 2026-12-01\n"
    "\n"
    "### Added\n"
    "- `render --check`\n"
    "```sh\n"
    "## 9.9 inside a fence is no heading\n"
    "```\n"
    "\n"
    "## v1.1 - 2026-06-01\n"
    "- first\n"
    "## 1.1.1\n"
    "- patch\n"
    "\n"
    "Version 1.0 (the first)\n"
    "-----------------------\n"
    "- hello\n"
    "- item\n"
    "---\n"
    "\n";

TEST(ChangelogSection, FindsTheBodyUnderTheVersionsHeading) {
  const struct {
    std::string_view markdown, version;
    std::optional<std::string> body;
  } cases[] = {
      // "[VERSION](link) - date"; a subheading belongs to the section, a fenced "##" does not end it.
      {kLog, "1.2.0", "### Added\n- `render --check`\n```sh\n## 9.9 inside a fence is no heading\n```"},
      {kLog, "v1.2.0", "### Added\n- `render --check`\n```sh\n## 9.9 inside a fence is no heading\n```"},
      {kLog, "unreleased", "- nothing yet"},
      // "vVERSION - date"; 1.1 is not 1.1.1, whose heading ends it.
      {kLog, "1.1", "- first"},
      {kLog, "1.1.1", "- patch"},
      // A setext heading, "Version X"; "---" under a list item is a rule, not a heading.
      {kLog, "1.0", "- hello\n- item\n---"},
      {kLog, "9.9", std::nullopt},
      {kLog, "1", std::nullopt},
      {kLog, "", std::nullopt},
      // CR LF kept between lines; a heading with a closing run of "#"; an empty section.
      {"## 2.0 ##\r\n\r\nline 1\r\nline 2\r\n\r\n## 1.0\r\n", "2.0", "line 1\r\nline 2"},
      {"## 2.0\n## 1.0\nx\n", "2.0", ""},
      // A deeper heading does not end a section; one of the same or a higher level does.
      {"### 3\na\n#### 3.1\nb\n## 2\nc\n", "3", "a\n#### 3.1\nb"},
      // "#2.0" is no heading (no blank after the hashes); four spaces make code.
      {"#2.0\n    ## 2.0\n## 2.0\nyes\n", "2.0", "yes"},
      // A tilde fence hides a heading until its own closing fence.
      {"~~~~\n## 1\n~~~\n## 1\n~~~~\n## 1\nout\n", "1", "out"},
      // A fence in a list item or block quote hides a heading too, until its closing fence or the end of
      // the item; a closing fence inside a list item does not close one at the margin.
      {"- x\n- ```sh\n  ## 1\n  ```\n## 1\nout\n", "1", "out"},
      {"> ```\n> ## 1\n> ```\n## 1\nout\n", "1", "out"},
      {"1. ```\n   ## 2\n## 1\nout\n", "1", "out"},
      {"```\n- ```\n## 1\n```\n## 1\nout\n", "1", "out"},
      // Backticks after the opening run make inline code, not a fence.
      {"```a```\n## 1\nin\n", "1", "in"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ChangelogSection(c.markdown, c.version), c.body) << c.version;
  }
}

TEST(ChangelogSection, ListsTheVersionsOfItsHeadings) {
  EXPECT_EQ(ChangelogVersions(kLog),
            (std::vector<std::string>{"Changelog", "Unreleased", "1.2.0", "Added", "1.1", "1.1.1", "1.0"}));
}

}  // namespace
}  // namespace quillory
