#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.h"
#include "support/temp_dir.h"

namespace quillory {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

struct Golden {
  const char* folder;
  const char* format;
  const char* expected;
};

// Each case folder holds project.qlx and the files each format must reproduce byte for byte.
constexpr Golden kGoldens[] = {
    {"name_only", "txt", "readme.txt"},
    {"name_only", "html", "readme.html"},
    {"name_only", "html-preview", "readme.html"},
    {"name_only", "nfo", "readme.nfo"},
    {"name_copyright", "txt", "readme.txt"},
    {"name_copyright", "html", "readme.html"},
    {"name_copyright", "nfo", "readme.nfo"},
    {"full", "txt", "readme.txt"},
    {"full", "html", "readme.html"},
    {"full", "html-preview", "preview.html"},
    {"full", "nfo", "readme.nfo"},
    {"nfo_example", "nfo", "readme.nfo"},
    {"text_example", "txt", "readme.txt"},
};

TEST(RenderCommand, ReproducesTheGoldenFiles) {
  for (const auto& golden : kGoldens) {
    SCOPED_TRACE(std::string(golden.folder) + " " + golden.format);
    const std::string folder = std::string(QUILLORY_TEST_DATA) + "/" + golden.folder;
    std::ostringstream out, err;
    ASSERT_EQ(cli::Run({"render", golden.format, folder + "/project.qlx"}, out, err), cli::kExitOk)
        << err.str();
    EXPECT_EQ(out.str(), ReadFile(folder + "/" + golden.expected));
  }
}

TEST(RenderCommand, RefusesAnEmptyProgramName) {
  TempDir dir;
  WriteFile(dir.File("p.qlx"), "[readme]\r\nprogram_name=\r\ncopyright=x\r\n");
  for (const char* format : {"html", "html-preview", "nfo"}) {
    std::ostringstream out, err;
    EXPECT_EQ(cli::Run({"render", format, dir.File("p.qlx"), "-o", dir.File("out")}, out, err),
              cli::kExitFailure);
    EXPECT_EQ(err.str(), "quillory-cli: Program Name is required!\n");
    EXPECT_EQ(out.str(), "");
  }
  EXPECT_EQ(testing::ListFolder(dir.path()), "p.qlx");
}

}  // namespace
}  // namespace quillory
