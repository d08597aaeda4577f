#include "render/render.h"

#include <gtest/gtest.h>

#include <set>

#include "common/error.h"
#include "project/facts.h"
#include "project/project_file.h"
#include "support/goldens.h"
#include "support/temp_dir.h"

namespace quillory {
namespace {

TEST(RenderDocument, ReproducesEveryGoldenFile) {
  std::set<std::string_view> covered;
  for (const auto& golden : testing::kGoldens) {
    const std::string folder = testing::GoldenFolder(golden);
    SCOPED_TRACE(folder + " " + std::string(golden.format.name));
    const ReadmeProject record = ProjectFromBytes(testing::ReadFile(folder + "/project.qlx"));
    EXPECT_EQ(RenderDocument(record, golden.format).bytes, testing::ReadFile(folder + "/" + golden.expected));
    covered.insert(golden.format.name);
  }
  EXPECT_EQ(covered.size(), Formats().size()) << "a format without a golden file";
}

TEST(RenderDocument, EveryFormatNeedsAProgramName) {
  ReadmeProject record;
  for (const Fact* fact : ReleaseFacts()) record.*fact->member = "x";
  record.program_name.clear();
  for (const FormatInfo& info : Formats()) {
    try {
      RenderDocument(record, info.format);
      ADD_FAILURE() << info.format.name << " rendered without a program name";
    } catch (const Error& error) {
      EXPECT_EQ(std::string(error.what()), kProgramNameRequired);
    }
  }
}

TEST(RenderDocument, FormatTableIsConsistent) {
  std::set<std::string_view> names, extensions;
  for (const FormatInfo& info : Formats()) {
    EXPECT_EQ(&InfoOf(info.format), &info);
    EXPECT_EQ(FindFormat(info.format.name), &info);
    EXPECT_TRUE(names.insert(info.format.name).second) << info.format.name;
    if (!info.extension.empty()) {
      EXPECT_TRUE(extensions.insert(info.extension).second) << info.extension;
    }
    // Save As can only offer a format that has files of its own.
    if (!info.save_as_type.empty()) {
      EXPECT_FALSE(info.extension.empty()) << info.format.name;
    }
  }
  EXPECT_EQ(FindFormat("pdf"), nullptr);
}

}  // namespace
}  // namespace quillory
