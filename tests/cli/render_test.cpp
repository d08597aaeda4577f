#include <gtest/gtest.h>

#include "cli/cli.h"
#include "support/cli_runner.h"
#include "support/goldens.h"
#include "support/temp_dir.h"

namespace quillory {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

TEST(RenderCommand, ReproducesTheGoldenFiles) {
  for (const auto& golden : testing::kGoldens) {
    const std::string format(golden.format.name);
    SCOPED_TRACE(std::string(golden.folder) + " " + format);
    const std::string folder = testing::GoldenFolder(golden);
    const testing::CliOutcome r = testing::RunCli({"render", format, folder + "/project.qlx"});
    ASSERT_EQ(r.status, cli::kExitOk) << r.err;
    EXPECT_EQ(r.out, ReadFile(folder + "/" + golden.expected));
  }
}

TEST(RenderCommand, RefusesAnEmptyProgramName) {
  TempDir dir;
  WriteFile(dir.File("p.qlx"), "[readme]\r\nprogram_name=\r\ncopyright=x\r\n");
  for (const char* format : {"html", "html-preview", "nfo"}) {
    const testing::CliOutcome r =
        testing::RunCli({"render", format, dir.File("p.qlx"), "-o", dir.File("out")});
    EXPECT_EQ(r.status, cli::kExitFailure);
    EXPECT_EQ(r.err,
              "quillory-cli: render: cannot render '" + dir.File("p.qlx") + "': Program Name is required!\n");
    EXPECT_EQ(r.out, "");
  }
  EXPECT_EQ(testing::ListFolder(dir.path()), "p.qlx");
}

}  // namespace
}  // namespace quillory
