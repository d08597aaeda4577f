#include <gtest/gtest.h>

#include "cli/cli.h"
#include "support/cli_runner.h"
#include "support/temp_dir.h"

namespace quillory::cli {
namespace {

using Outcome = testing::CliOutcome;
using testing::RunCli;

TEST(DigestCommand, PrintsWhatTheFieldsWouldReceive) {
  testing::TempDir dir;
  testing::WriteFile(dir.File("program.exe"), std::string(2047, 'a'));
  const Outcome md5 = RunCli({"md5", dir.File("program.exe")});
  EXPECT_EQ(md5.status, kExitOk);
  EXPECT_EQ(md5.out, "3D1068CFA244F4F86F5BB631471ADD8F\n");
  const Outcome size = RunCli({"size", dir.File("program.exe")});
  EXPECT_EQ(size.status, kExitOk);
  EXPECT_EQ(size.out, "1 Kb\n");
  const Outcome sha256 = RunCli({"sha256", dir.File("program.exe")});
  EXPECT_EQ(sha256.status, kExitOk);
  EXPECT_EQ(sha256.out, "5d8098602265204dabadbc3cc14431446432926ca242f6f5699b106c51c40725\n");  // as sha256sum prints it
  EXPECT_EQ(md5.err + size.err + sha256.err, "");
}

TEST(DigestCommand, UnreadableFileAndWrongArguments) {
  testing::TempDir dir;
  const Outcome md5 = RunCli({"md5", dir.File("missing.exe")});
  EXPECT_EQ(md5.status, kExitFailure);
  EXPECT_EQ(md5.out, "");
  EXPECT_EQ(md5.err,
            "quillory-cli: md5: cannot open '" + dir.File("missing.exe") + "': No such file or directory\n");
  const Outcome size = RunCli({"size", dir.path()});
  EXPECT_EQ(size.status, kExitFailure);
  EXPECT_EQ(size.err, "quillory-cli: size: cannot open '" + dir.path() + "': Is a directory\n");
  EXPECT_EQ(RunCli({"md5"}).status, kExitUsage);
  EXPECT_EQ(RunCli({"sha256", dir.File("missing.exe")}).status, kExitFailure);
  EXPECT_EQ(RunCli({"sha256"}).status, kExitUsage);
  EXPECT_EQ(RunCli({"size", "a", "b"}).status, kExitUsage);
}

}  // namespace
}  // namespace quillory::cli
