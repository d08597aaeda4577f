#include "render/render.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// A long document made into a sink that hands its bytes on comes in pieces of bounded size, and the pieces
// are the document made whole: no character, line break or reference is cut or lost where a piece ends.
TEST(RenderDocument, ALongDocumentMadeInPiecesIsTheDocumentMadeWhole) {
  std::string latin, mixed;
  for (int i = 0; latin.size() < 3 * ByteSink::kPieceSize; ++i) {
    latin += "- caf\u00e9 & <tag> \x1B[31m " + std::to_string(i) + (i % 7 ? "\r\n" : "\r\n\r\n");
    mixed += "- \u65e5\u672c \u0418\u0441 \U0001F600 \u00e9\u0301 & " + std::to_string(i) + "\r\n";
  }
  const struct {
    DocumentEncoding encoding;
    const char* chr;
    std::string changelog;
  } cases[] = {
      {DocumentEncoding::kWindows1252, "iso-8859-1", latin},
      {DocumentEncoding::kUtf8WithMark, "iso-8859-1", mixed},
      {DocumentEncoding::kUtf8WithMark, "utf-8", mixed + std::string(2 * ByteSink::kPieceSize, '\r')},
  };
  for (const auto& c : cases) {
    ReadmeProject record;
    SetHtmlDefaults(record);
    record.program_name = "Tool";
    record.copyright = "Example";
    record.encoding = c.encoding;
    record.chr = c.chr;
    record.changelog = c.changelog;
    for (const FormatInfo& info : Formats()) {
      SCOPED_TRACE(std::string(info.format.name) + " " + c.chr);
      std::string joined;
      size_t largest = 0;
      ByteSink sink([&](std::string_view piece) {
        joined += piece;
        largest = std::max(largest, piece.size());
      });
      RenderDocument(record, info.format, sink);
      EXPECT_EQ(joined, RenderDocument(record, info.format).bytes);
      if (info.format != Format::kMarkdown) {
        EXPECT_LE(largest, 4 * ByteSink::kPieceSize);
      }
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
