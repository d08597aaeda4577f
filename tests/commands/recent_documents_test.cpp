#include "commands/recent_documents.h"

#include <gtest/gtest.h>

namespace quillory {
namespace {

using Paths = std::vector<std::string>;

TEST(RecentDocuments, TheLatestFirstEachOnceAtMostEight) {
  RecentDocuments recent;
  for (const char* path : {"/a", "/b", "", "/c", "/a"}) recent.Add(path);
  EXPECT_EQ(recent.paths(), (Paths{"/a", "/c", "/b"}));
  for (int i = 1; i <= 9; ++i) recent.Add("/" + std::to_string(i));
  EXPECT_EQ(recent.paths(), (Paths{"/9", "/8", "/7", "/6", "/5", "/4", "/3", "/2"}));
  recent.Remove("/5");
  recent.Remove("/missing");
  EXPECT_EQ(recent.paths().size(), 7u);
  EXPECT_EQ(recent.paths()[4], "/4");

  // A stored list loses empty and repeated paths and what lies beyond the eighth.
  recent.Assign({"/x", "", "/y", "/x", "/1", "/2", "/3", "/4", "/5", "/6", "/7"});
  EXPECT_EQ(recent.paths(), (Paths{"/x", "/y", "/1", "/2", "/3", "/4", "/5", "/6"}));
  recent.Clear();
  EXPECT_TRUE(recent.paths().empty());
}

}  // namespace
}  // namespace quillory
