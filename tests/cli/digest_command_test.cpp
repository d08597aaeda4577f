#include <gtest/gtest.h>
#include <unistd.h>

#include "cli/cli.h"
#include "support/cli_runner.h"
#include "support/temp_dir.h"
#include "text/input_source.h"

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
  EXPECT_EQ(sha256.out,
            "5d8098602265204dabadbc3cc14431446432926ca242f6f5699b106c51c40725\n");  // as sha256sum prints it
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

// Every input is capped at 1 GiB, and every failure to read one is worded the command line's way, naming it.
TEST(CliInputs, FailuresNameTheInputInTheCommandLinesWords) {
  testing::TempDir dir;
  const std::string huge = dir.File("huge.qlx");  // sparse: it takes no room on the disk
  testing::WriteFile(huge, "");
  ASSERT_EQ(::truncate(huge.c_str(), static_cast<off_t>(kMaxReadSize) + 1), 0);
  const std::string project = dir.File("p.qlx"), document = "[readme]\r\nprogram_name=P\r\n";
  testing::WriteFile(project, document);
  const std::string too_large = "'" + huge + "' is larger than 1 GiB\n";
  const std::string is_a_folder = "cannot open '" + dir.path() + "': Is a directory\n";
  const struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{"set", huge, "version=1"}, "set: " + too_large},
      {{"set", project, "news=@" + huge}, "set: " + too_large},
      {{"render", "txt", huge}, "render: " + too_large},
      {{"get", huge, "version"}, "get: " + too_large},
      {{"set", project, "news=@" + dir.path()}, "set: " + is_a_folder},
      {{"sha256", dir.path()}, "sha256: " + is_a_folder},
      {{"stamp", project, dir.File("missing")},
       "stamp: cannot open '" + dir.File("missing") + "': No such file or directory\n"},
  };
  for (const auto& c : cases) {
    const Outcome r = RunCli(c.args);
    EXPECT_EQ(r.status, kExitFailure) << c.args[0];
    EXPECT_EQ(r.err, "quillory-cli: " + c.err);
  }
  EXPECT_EQ(testing::ReadFile(project), document);
}

TEST(CliInputs, StandardInputAndDevicesAreReadLikeFiles) {
  testing::TempDir dir;
  const std::string project = dir.File("p.qlx");
  const std::string md5_abc = "900150983CD24FB0D6963F7D28E17F72\n";
  const std::string sha256_abc = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad\n";
  const struct {
    std::vector<std::string> args;
    std::string input;
    std::string out;
  } cases[] = {
      {{"md5", "-"}, "abc", md5_abc},
      {{"sha256", "-"}, "abc", sha256_abc},
      {{"size", "-"}, std::string(3000, 'x'), "2 Kb\n"},
      {{"md5", "/dev/null"}, "", "D41D8CD98F00B204E9800998ECF8427E\n"},
      {{"stamp", project, "-"}, "abc", "size=3 Byte\nmd5=" + md5_abc + "sha256=" + sha256_abc},
  };
  for (const auto& c : cases) {
    const Outcome r = RunCli(c.args, c.input);
    EXPECT_EQ(r.status, kExitOk) << c.args[0] << r.err;
    EXPECT_EQ(r.out, c.out) << c.args[0];
  }
  EXPECT_EQ(RunCli({"get", project, "sha256"}).out, sha256_abc);
}

}  // namespace
}  // namespace quillory::cli
