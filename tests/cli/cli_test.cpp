#include "cli/cli.h"

#include <gtest/gtest.h>

#include <sstream>

#include "project/project_file.h"
#include "support/cli_runner.h"
#include "support/temp_dir.h"

namespace quillory {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

using Result = testing::CliOutcome;
using testing::RunCli;

TEST(Cli, UsageErrors) {
  TempDir dir;
  WriteFile(dir.File("p.qlx"), "[readme]\r\nprogram_name=P\r\n");
  const std::vector<std::vector<std::string>> wrong = {
      {},
      {"frobnicate"},
      {"render"},
      {"render", "pdf", dir.File("p.qlx")},
      {"render", "txt", dir.File("p.qlx"), "-o"},
      {"get", dir.File("p.qlx")},
      {"get", dir.File("p.qlx"), "colour"},
      {"set", dir.File("p.qlx")},
      {"set", dir.File("p.qlx"), "nokey"},
      {"set", dir.File("p.qlx"), "flavour=x"},
      {"set", dir.File("p.qlx"), "version=1\n2"},
  };
  for (const auto& args : wrong) {
    const Result r = RunCli(args);
    EXPECT_EQ(r.status, 2) << (args.empty() ? "" : args.back());
    EXPECT_TRUE(r.err.starts_with("quillory-cli: ")) << r.err;
    EXPECT_NE(r.err.find("\nusage: quillory-cli "), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
  }
  // A refused set leaves the document as it was.
  EXPECT_EQ(ReadFile(dir.File("p.qlx")), "[readme]\r\nprogram_name=P\r\n");
}

TEST(Cli, HelpAndVersion) {
  EXPECT_EQ(RunCli({"--version"}).out, "quillory-cli 0.1\n");
  const Result help = RunCli({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("quillory-cli get [--raw|--json] PROJECT|- [KEY...]"), std::string::npos);
  EXPECT_EQ(RunCli({"-V"}).out, "quillory-cli 0.1\n");
  EXPECT_EQ(RunCli({"stamp", "--version"}).out, "quillory-cli 0.1\n");
  // Each subcommand has its own help, which starts from its usage.
  for (const std::string& command : cli::SubcommandNames()) {
    const Result sub = RunCli({command, "--help"});
    EXPECT_EQ(sub.status, 0) << command;
    EXPECT_NE(sub.out.find("usage: quillory-cli " + command), std::string::npos) << sub.out;
    EXPECT_EQ(RunCli({"help", command}).out, sub.out) << command;
  }
  // "--" ends the options: what follows is a name even when it looks like one.
  TempDir dir;
  const Result r = RunCli({"size", "--", "-V"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "quillory-cli: size: cannot open '-V': No such file or directory\n");
}

TEST(Cli, SetThenGetThenRender) {
  TempDir dir;
  const std::string project = dir.File("new.qlx");
  Result r =
      RunCli({"set", project, "program_name=Tool", "version=1.2", "license_type=Freeware",
              "copyright=Example Team 2006", "descript_uses=Converts files.\nRuns from the command line.",
              "todo=More formats", "c1=white"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(ReadFile(project).find("c1=white\r\nc2=#000000\r\n"), std::string::npos);
  EXPECT_NE(ReadFile(project).find("descript_uses=Converts files.\xA4Runs"), std::string::npos);

  r = RunCli({"get", project, "descript_uses"});
  EXPECT_EQ(r.out, "Converts files.\nRuns from the command line.\n");
  r = RunCli({"get", "--raw", project, "descript_uses"});
  EXPECT_EQ(r.out, "Converts files.\r\nRuns from the command line.\n");
  EXPECT_EQ(RunCli({"get", project, "chr"}).out, "iso-8859-1\n");

  r = RunCli({"render", "txt", project});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.size(), 484u);
  ASSERT_EQ(RunCli({"render", "txt", project, "-o", dir.File("out.txt")}).status, 0);
  EXPECT_EQ(ReadFile(dir.File("out.txt")), r.out);

  // Characters arrive as UTF-8 and are stored as Windows-1252.
  ASSERT_EQ(RunCli({"set", project, "copyright=\xC2\xA9 Team"}).status, 0);
  EXPECT_NE(ReadFile(project).find("copyright=\xA9 Team\r\n"), std::string::npos);
  EXPECT_NE(ReadFile(project).find("program_name=Tool\r\n"), std::string::npos);
}

TEST(Cli, Failures) {
  TempDir dir;
  Result r = RunCli({"render", "txt", dir.File("missing.qlx")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "quillory-cli: render: cannot open '" + dir.File("missing.qlx") +
                       "': No such file or directory\n");
  EXPECT_EQ(RunCli({"get", dir.File("missing.qlx"), "version"}).status, 1);

  WriteFile(dir.File("empty.qlx"), "");
  r = RunCli({"render", "txt", dir.File("empty.qlx")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "quillory-cli: render: cannot render '" + dir.File("empty.qlx") +
                       "': Program Name is required!\n");
  EXPECT_EQ(r.out, "");

  WriteFile(dir.File("p.qlx"), "[readme]\r\nprogram_name=P\r\n");
  r = RunCli({"render", "txt", dir.File("p.qlx"), "-o", dir.File("none/out.txt")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "quillory-cli: render: cannot write '" + dir.File("none/out.txt") +
                       "': No such file or directory\n");
  r = RunCli({"set", dir.File("none/p.qlx"), "version=1"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "quillory-cli: set: cannot write '" + dir.File("none/p.qlx") + "': No such file or directory\n");
}

}  // namespace
}  // namespace quillory
