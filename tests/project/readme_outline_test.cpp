#include "project/readme_outline.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/sample_records.h"

namespace quillory {
namespace {

// The outline in short: each block as "kind HEADING: key key ...", blocks separated by " | ".
std::string Summary(const ReadmeOutline& outline) {
  std::string out;
  for (const OutlineBlock& block : outline.blocks()) {
    if (!out.empty()) out += " | ";
    switch (block.type) {
      case OutlineBlockType::kTitle:
        out += "title";
        break;
      case OutlineBlockType::kOpeningFrame:
        out += "open";
        break;
      case OutlineBlockType::kFactList:
        out += "list " + std::string(block.heading);
        break;
      case OutlineBlockType::kText:
        out += "text " + std::string(block.heading);
        break;
      case OutlineBlockType::kClosingFrame:
        out += "close";
        break;
    }
    out += ":";
    for (const ShownFact& shown : block.facts) out += " " + std::string(shown.fact->key);
  }
  return out;
}

TEST(ReadmeOutline, BlocksFollowTheFilledFactsInReadmeOrder) {
  const struct {
    const char* name;
    std::function<void(ReadmeProject&)> fill;
    std::string expected;
  } cases[] = {
      {"nothing: the program name is listed all the same", [](ReadmeProject&) {},
       "title: program_name | list PROGRAM INFO: program_name"},
      {"blanks count as filled; the e-mail alone opens the contact",
       [](ReadmeProject& r) {
         r.program_name = "P";
         r.version = " ";
         r.email = "a@b";
         r.sha256 = "ab";
         r.size = "1 Kb";
       },
       "title: program_name version | list PROGRAM INFO: program_name version size sha256 | list CONTACT: "
       "email"},
      {"the copyright frames the rest",
       [](ReadmeProject& r) {
         r.copyright = "(c)";
         r.todo = "T";
         r.descript_uses = "D";
       },
       "title: program_name | open: copyright | list PROGRAM INFO: program_name | text DESCRIPTION or/and "
       "USES: "
       "descript_uses | text TODO: todo | close: copyright"},
      {"everything",
       [](ReadmeProject& r) {
         r = testing::FullRecord();
         r.sha256 = "ab";
       },
       "title: program_name version | open: copyright | list PROGRAM INFO: program_name version author "
       "license_type limitations paid size os creation languages down_url down_mirror surce_url "
       "screenshot_url "
       "md5 sha256 | list CONTACT: website email | text DESCRIPTION or/and USES: descript_uses | text "
       "REQUIRED: "
       "required | text WHAT'S NEW: news | text CHANGE LOG: changelog | text TODO: todo | text LICENSE: "
       "license | "
       "close: copyright"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ReadmeProject record;
    c.fill(record);
    const ReadmeOutline outline(record);
    EXPECT_EQ(Summary(outline), c.expected);
    // Every value is the record's own text, never a copy (a change log may be hundreds of MiB).
    for (const OutlineBlock& block : outline.blocks()) {
      for (const ShownFact& shown : block.facts) {
        EXPECT_EQ(shown.value.data(), (record.*shown.fact->member).data()) << shown.fact->key;
        EXPECT_EQ(shown.value.size(), (record.*shown.fact->member).size()) << shown.fact->key;
      }
    }
  }
}

}  // namespace
}  // namespace quillory
