// quillory-cli in CI and scripts: render --check, check, keys, get --json and stamp's report formats.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <nlohmann/json.hpp>

#include "project/facts.h"
#include "support/cli_runner.h"
#include "support/temp_dir.h"

namespace quillory {
namespace {

using testing::ReadFile;
using testing::RunCli;
using testing::TempDir;
using testing::WriteFile;

const std::string kProject = QUILLORY_TEST_DATA "/full/project.qlx";

TEST(CliGates, RenderCheckNamesEachReadmeThatWouldChangeAndWritesNothing) {
  TempDir dir;
  const std::string dist = dir.File("dist");
  ASSERT_EQ(RunCli({"render", "all", kProject, "-o", dist}).status, 0);
  EXPECT_EQ(RunCli({"render", "all", kProject, "-o", dist, "--check"}).status, 0);
  EXPECT_EQ(RunCli({"render", "txt", kProject, "-o", dist + "/README.txt", "--check"}).err, "");

  WriteFile(dist + "/README.txt", "edited by hand\r\n");
  ASSERT_EQ(::unlink((dist + "/README.md").c_str()), 0);
  const testing::CliOutcome r = RunCli({"render", "all", kProject, "-o", dist, "--check"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "quillory-cli: render: '" + dist + "/README.txt' is out of date\nquillory-cli: render: '" +
                       dist +
                       "/README.md' is missing\nquillory-cli: render: 2 of 4 READMEs are not current\n");
  EXPECT_EQ(ReadFile(dist + "/README.txt"), "edited by hand\r\n");
  EXPECT_EQ(testing::ListFolder(dist), "README.html README.nfo README.txt");
  // A value for the run makes every README stale; standard output cannot be checked.
  EXPECT_EQ(RunCli({"render", "html,nfo", kProject, "-o", dist, "--check", "--set", "version=9"}).status, 1);
  EXPECT_EQ(RunCli({"render", "txt", kProject, "--check"}).status, 2);
}

TEST(CliGates, CheckReportsEachProblemOnItsLine) {
  TempDir dir;
  const std::string path = dir.File("p.qlx");
  WriteFile(path,
            "[html]\r\nc1=#ABC\r\nc2=Grey\r\nc3=#12345\r\nc4=reddish\r\n[readme]\r\nprogram_name=\r\n"
            "version=1\xA4"
            "2\r\nwebsite=www.example.org\r\ndown_url=not an address\r\nemail=someone@example\r\n"
            "author=\x86 \xD7 \x86\r\nnews=line\xA4\x86\r\n");
  const testing::CliOutcome r = RunCli({"check", path});
  EXPECT_EQ(r.status, 1);
  const std::string file = path + ":";
  EXPECT_EQ(r.out,
            file + "4: 'c3' is not a colour: '#12345'\n" +  //
                file + "5: 'c4' is not a colour: 'reddish'\n" + file +
                "7: no program name: no README can be made without one\n" + file +
                "8: 'version' holds \xC2\xA4, which marks a line break in the document's texts\n" + file +
                "10: 'down_url' is not a web address: 'not an address'\n" + file +
                "11: 'email' is not an e-mail address: 'someone@example'\n" + file +
                "12: 'author' holds \xE2\x80\xA0, \xC3\x97, which the NFO (code page 437) writes as \"?\"\n" +
                file + "13: 'news' holds \xE2\x80\xA0, which the NFO (code page 437) writes as \"?\"\n");
  EXPECT_EQ(r.err, "quillory-cli: check: 8 problems\n");
  const testing::CliOutcome clean = RunCli({"check", "-"}, ReadFile(kProject));
  EXPECT_EQ(clean.status, 0) << clean.out;
  EXPECT_EQ(clean.out + clean.err, "");
}

TEST(CliScripts, KeysAndJsonValues) {
  const std::string keys = RunCli({"keys"}).out;
  EXPECT_TRUE(keys.starts_with("program_name\tProgram Name\nversion\tVersion\n")) << keys;
  for (const Fact& fact : Facts()) {
    EXPECT_NE(("\n" + keys).find("\n" + std::string(fact.key) + "\t" + std::string(fact.caption) + "\n"),
              std::string::npos)
        << fact.key;
  }
  EXPECT_EQ(std::count(keys.begin(), keys.end(), '\n'), static_cast<long>(Facts().size()));

  // Every key, converted as get prints it, through a JSON parser: quotes, line breaks and UTF-8 survive.
  TempDir dir;
  const std::string path = dir.File("p.qlx");
  WriteFile(path, "[readme]\r\nprogram_name=Say \"hi\" \\ \xE9\r\nnews=a\xA4\tb\r\n");
  const auto all = nlohmann::json::parse(RunCli({"get", "--json", path}).out);
  EXPECT_EQ(all.size(), Facts().size());
  for (const Fact& fact : Facts()) {
    const std::string key(fact.key);
    EXPECT_EQ(all.at(key).get<std::string>() + "\n", RunCli({"get", path, key}).out) << key;
  }
  EXPECT_EQ(RunCli({"get", "--json", path, "version", "program_name"}).out,
            "{\n  \"version\": \"\",\n  \"program_name\": \"Say \\\"hi\\\" \\\\ \xC3\xA9\"\n}\n");
}

TEST(CliScripts, StampReportsForShellsAndJson) {
  TempDir dir;
  WriteFile(dir.File("app.bin"), std::string(2047, 'a'));
  const std::string md5 = "3D1068CFA244F4F86F5BB631471ADD8F";
  const std::string sha256 = "5d8098602265204dabadbc3cc14431446432926ca242f6f5699b106c51c40725";
  const testing::CliOutcome env =
      RunCli({"stamp", "--format", "env", dir.File("p.qlx"), dir.File("app.bin")});
  EXPECT_EQ(env.out, "size='1 Kb'\nsize_bytes='2047'\nmd5='" + md5 + "'\nsha256='" + sha256 + "'\n");
  const auto json = nlohmann::json::parse(
      RunCli({"stamp", "-n", "--format", "json", dir.File("p.qlx"), dir.File("app.bin")}).out);
  EXPECT_EQ(json, nlohmann::json::parse("{\"size\": \"1 Kb\", \"size_bytes\": 2047, \"md5\": \"" + md5 +
                                        "\", \"sha256\": \"" + sha256 + "\"}"));
  EXPECT_EQ(RunCli({"stamp", "--format", "yaml", dir.File("p.qlx"), dir.File("app.bin")}).status, 2);
}

}  // namespace
}  // namespace quillory
