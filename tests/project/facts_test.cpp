#include "project/facts.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>

#include "project/project_file.h"

namespace quillory {
namespace {

// A row added to the table must not collide with another: each key, member, README place and window
// place names one fact, and FindFact and FactOf find the row itself.
TEST(Facts, EveryRowNamesItsOwnKeyMemberAndPlaces) {
  std::set<std::string_view> keys;
  std::map<std::pair<ReadmeBlock, int>, std::string_view> readme_places;
  std::map<std::tuple<WindowGroup, int, int>, std::string_view> window_places;
  for (const Fact& fact : Facts()) {
    SCOPED_TRACE(fact.key);
    EXPECT_TRUE(keys.insert(fact.key).second);
    EXPECT_EQ(FindFact(fact.key), &fact);
    EXPECT_EQ(&FactOf(fact.member), &fact);
    EXPECT_TRUE(fact.section == kReadmeSection || fact.section == kHtmlSection);
    EXPECT_EQ(fact.block == ReadmeBlock::kText, fact.multi_line());
    EXPECT_EQ(fact.multi_line(), !fact.heading.empty());
    if (fact.block != ReadmeBlock::kNone) {
      EXPECT_TRUE(readme_places.emplace(std::pair{fact.block, fact.readme_order}, fact.key).second);
    }
    const WindowPlace& at = fact.window;
    if (at.group != WindowGroup::kNone) {
      EXPECT_TRUE(window_places.emplace(std::tuple{at.group, at.row, at.column}, fact.key).second);
    }
  }
  EXPECT_EQ(FindFact("Program_Name"), nullptr);  // keys are matched exactly
  EXPECT_EQ(ReleaseFacts().size() + HtmlSettings().size(), Facts().size());
}

// Every value, whatever its kind, comes back from the document it is saved in: written afresh and written
// over a document that holds every key already, in the reverse order and other letter case.
TEST(Facts, EveryFactRoundTripsThroughTheDocument) {
  ReadmeProject record;
  std::string html = "[HTML]\r\n", readme = "[Readme]\r\n";
  for (auto it = Facts().rbegin(); it != Facts().rend(); ++it) {
    const std::string key(it->key);
    record.*it->member = it->multi_line() ? "  " + key + "\r\n\r\n\"café\" = ;x  " : key + " = \"café\" ¤;x";
    (it->section == kHtmlSection ? html : readme) += (key == "chr" ? "CHR" : key) + "=old\r\n";
  }
  for (const std::string& existing : {std::string(), readme + html}) {
    SCOPED_TRACE(existing);
    const ReadmeProject read = ProjectFromBytes(ProjectDocumentBytes(record, existing));
    for (const Fact& fact : Facts()) EXPECT_EQ(read.*fact.member, record.*fact.member) << fact.key;
  }
}

}  // namespace
}  // namespace quillory
