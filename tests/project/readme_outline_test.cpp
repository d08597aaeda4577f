#include "project/readme_outline.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/sample_records.h"

namespace quillory {
namespace {

// The outline in short: "kind HEADING: key ..." for each block, separated by " | ".
std::string Summary(const ReadmeOutline& outline) {
  constexpr const char* kKinds[] = {"title", "open", "list ", "text ", "close"};
  std::string out;
  for (const OutlineBlock& block : outline.blocks()) {
    out += (out.empty() ? "" : " | ") + std::string(kKinds[static_cast<int>(block.type)]) +
           std::string(block.heading) + ":";
    for (const ShownFact& shown : block.facts) out += " " + std::string(shown.fact->key);
  }
  return out;
}

TEST(ReadmeOutline, BlocksFollowTheFilledFactsInReadmeOrder) {
  const struct {
    std::function<void(ReadmeProject&)> fill;
    std::string expected;
  } cases[] = {
      {[](ReadmeProject&) {}, "title: program_name | list PROGRAM INFO: program_name"},
      // Blanks count as filled; the e-mail alone opens the contact; the copyright frames the rest.
      {[](ReadmeProject& r) {
         r.version = " ", r.email = "a@b", r.sha256 = "ab", r.size = "1", r.copyright = "c", r.todo = "T",
         r.descript_uses = "D";
       },
       "title: program_name version | open: copyright | list PROGRAM INFO: program_name version size "
       "sha256 | list CONTACT: email | text DESCRIPTION or/and USES: descript_uses | text TODO: todo | "
       "close: copyright"},
      {[](ReadmeProject& r) { r = testing::FullRecord(), r.sha256 = "ab"; },
       "title: program_name version | open: copyright | list PROGRAM INFO: program_name version author "
       "license_type limitations paid size os creation languages down_url down_mirror surce_url "
       "screenshot_url md5 sha256 | list CONTACT: website email | text DESCRIPTION or/and USES: "
       "descript_uses | text REQUIRED: required | text WHAT'S NEW: news | text CHANGE LOG: changelog | "
       "text TODO: todo | text LICENSE: license | close: copyright"},
  };
  for (const auto& c : cases) {
    ReadmeProject record;
    c.fill(record);
    const ReadmeOutline outline(record);
    EXPECT_EQ(Summary(outline), c.expected);
    // Every value is the record's own text, never a copy (a change log may be hundreds of MiB).
    for (const OutlineBlock& block : outline.blocks()) {
      for (const auto& [fact, value] : block.facts) {
        EXPECT_EQ(value.data(), (record.*fact->member).data()) << fact->key;
        EXPECT_EQ(value.size(), (record.*fact->member).size()) << fact->key;
      }
    }
  }
}

}  // namespace
}  // namespace quillory
