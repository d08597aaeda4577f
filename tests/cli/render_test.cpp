#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.h"
#include "support/goldens.h"
#include "support/temp_dir.h"

namespace quillory {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

TEST(RenderCommand, ReproducesTheGoldenFiles) {
  for (const auto& golden : testing::kGoldens) {
    const std::string format(InfoOf(golden.format).name);
    SCOPED_TRACE(std::string(golden.folder) + " " + format);
    const std::string folder = testing::GoldenFolder(golden);
    std::ostringstream out, err;
    ASSERT_EQ(cli::Run({"render", format, folder + "/project.qlx"}, out, err), cli::kExitOk)
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
