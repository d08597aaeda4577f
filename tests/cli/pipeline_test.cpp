// quillory-cli as a release pipeline uses it: standard input and output, UTF-8 in and out, several formats
// at once, stamp, special files, and the documentation that lists every subcommand.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <thread>

#include "cli/cli.h"
#include "project/facts.h"
#include "project/project_file.h"
#include "render/render.h"
#include "support/cli_runner.h"
#include "support/temp_dir.h"
#include "text/file_access.h"

namespace quillory {
namespace {

using testing::ReadFile;
using testing::RunCli;
using testing::TempDir;
using testing::WriteFile;

const std::string kProject = QUILLORY_TEST_DATA "/full/project.qlx";

TEST(CliPipeline, EveryKeyRoundTripsThroughGetAndSet) {
  TempDir dir;
  const std::string p = dir.File("p.qlx");
  for (const Fact& field : Facts()) {
    const std::string key(field.key);
    // Text in Windows-1252 and beyond (é € ™ Ł 日 😀), with line breaks where the key takes them.
    const std::string value =
        field.multi_line() ? "Café €1\n\nline 3 ™ Łódź 日本 😀" : "Café €™ Łódź 日本 😀 ¤";
    ASSERT_EQ(RunCli({"set", p, key + "=" + value}).status, 0) << key;
    const std::string before = ReadFile(p);
    const auto got = RunCli({"get", p, key});
    EXPECT_EQ(got.out, value + "\n") << key;
    // What get prints, given back as $(...) would, leaves the document byte for byte as it was.
    ASSERT_EQ(RunCli({"set", p, key + "=" + got.out.substr(0, got.out.size() - 1)}).status, 0) << key;
    EXPECT_EQ(ReadFile(p), before) << key;
    // What get prints, from a file or standard input (which lose one final line break), and with "@@".
    WriteFile(dir.File("value.txt"), got.out);
    ASSERT_EQ(RunCli({"set", p, key + "=@" + dir.File("value.txt")}).status, 0) << key;
    EXPECT_EQ(ReadFile(p), before) << key;
    ASSERT_EQ(RunCli({"set", p, key + "=@-"}, got.out).status, 0) << key;
    EXPECT_EQ(ReadFile(p), before) << key;
    ASSERT_EQ(RunCli({"set", p, key + "=@-"}, value).status, 0) << key;
    EXPECT_EQ(ReadFile(p), before) << key;
    ASSERT_EQ(RunCli({"set", p, key + "=@@home"}).status, 0) << key;
    EXPECT_EQ(RunCli({"get", "--raw", p, key}).out, "@home\n") << key;
  }
  // A UTF-8 file with a byte-order mark; the document is UTF-8 by now, and --raw gives its bytes.
  WriteFile(dir.File("bom.txt"), "\xEF\xBB\xBFna\xC3\xAFve \xE2\x94\x8C\n");
  ASSERT_EQ(RunCli({"set", p, "version=@" + dir.File("bom.txt")}).status, 0);
  EXPECT_EQ(RunCli({"get", "--raw", p, "version"}).out, "na\xC3\xAFve \xE2\x94\x8C\n");
  EXPECT_TRUE(ReadFile(p).starts_with("\xEF\xBB\xBF"));
}

TEST(CliPipeline, StandardInputAndOutput) {
  const std::string document = ReadFile(kProject);
  const auto from_file = RunCli({"render", "html", kProject});
  const auto from_stdin = RunCli({"render", "html", "-", "-o", "-"}, document);
  EXPECT_EQ(from_stdin.status, 0) << from_stdin.err;
  EXPECT_EQ(from_stdin.out, from_file.out);
  EXPECT_EQ(RunCli({"get", "-", "program_name"}, document).out,
            RunCli({"get", kProject, "program_name"}).out);
  EXPECT_EQ(RunCli({"md5", "-"}, std::string(2047, 'a')).out, "3D1068CFA244F4F86F5BB631471ADD8F\n");
  EXPECT_EQ(RunCli({"size", "-"}, std::string(2047, 'a')).out, "1 Kb\n");
  EXPECT_EQ(RunCli({"set", "-", "version=1"}).status, 2);
}

TEST(CliPipeline, SeveralFormatsIntoAFolder) {
  TempDir dir;
  const std::string out = dir.File("a/b");
  const auto r = RunCli({"render", "all", kProject, "-o", out});
  ASSERT_EQ(r.status, 0) << r.err;
  std::vector<std::string> names;
  for (const FormatInfo& format : Formats()) {
    if (format.extension.empty()) continue;
    names.push_back("README" + std::string(format.extension));
    EXPECT_EQ(ReadFile(out + "/" + names.back()),
              RunCli({"render", std::string(format.format.name), kProject}).out);
  }
  std::sort(names.begin(), names.end());
  std::string expected_names;
  for (const auto& name : names) expected_names += (expected_names.empty() ? "" : " ") + name;
  EXPECT_EQ(testing::ListFolder(out), expected_names);
  TempDir two;
  ASSERT_EQ(RunCli({"render", "nfo,txt", kProject, "-o", two.path()}).status, 0);
  EXPECT_EQ(testing::ListFolder(two.path()), "README.nfo README.txt");
}

TEST(CliPipeline, OutputToOwnDescriptorAppends) {
  TempDir dir;
  const std::string log = dir.File("log.txt");
  const std::string expected = RunCli({"render", "txt", kProject}).out;
  WriteFile(log, "earlier\n");
  for (const char* name : {"/dev/stdout", "/proc/self/fd/1", "-"}) {
    FileDescriptor fd(::open(log.c_str(), O_WRONLY | O_APPEND));
    ASSERT_EQ(testing::RunCliWithStandardOutput({"render", "txt", kProject, "-o", name}, fd.get()), 0)
        << name;
  }
  EXPECT_EQ(ReadFile(log), "earlier\n" + expected + expected + expected);
}

TEST(CliPipeline, StampFillsSizeAndDigestsInOneRead) {
  TempDir dir;
  WriteFile(dir.File("app.tar.gz"), std::string(2047, 'a'));
  WriteFile(dir.File("p.qlx"), "; kept\r\n[readme]\r\nprogram_name=P\r\n");
  const auto r = RunCli({"stamp", dir.File("p.qlx"), dir.File("app.tar.gz")});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "size=1 Kb\nmd5=3D1068CFA244F4F86F5BB631471ADD8F\n"
            "sha256=5d8098602265204dabadbc3cc14431446432926ca242f6f5699b106c51c40725\n");
  const std::string saved = ReadFile(dir.File("p.qlx"));
  EXPECT_TRUE(saved.starts_with("; kept\r\n[readme]\r\nprogram_name=P\r\n")) << saved;
  EXPECT_EQ(RunCli({"get", dir.File("p.qlx"), "md5"}).out, "3D1068CFA244F4F86F5BB631471ADD8F\n");
  EXPECT_EQ(RunCli({"get", dir.File("p.qlx"), "size"}).out, "1 Kb\n");
  EXPECT_EQ(RunCli({"sha256", dir.File("app.tar.gz")}).out,
            "5d8098602265204dabadbc3cc14431446432926ca242f6f5699b106c51c40725\n");
}

TEST(CliPipeline, SpecialFiles) {
  TempDir dir;
  const std::string fifo = dir.File("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  // A FIFO is no document to change: refused at once, before anything waits on it.
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"set", fifo, "version=1"}, {"stamp", fifo, "/dev/null"}}) {
    const auto r = RunCli(args);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "quillory-cli: " + args[0] + ": '" + fifo + "' is not a regular file\n");
  }
  EXPECT_EQ(RunCli({"size", "/dev/null"}).err, "quillory-cli: size: '/dev/null' is not a regular file\n");
  // A FIFO as input is read like standard input; as output it is written, not replaced.
  std::thread writer([&] { WriteFile(fifo, std::string(3000, 'x')); });
  EXPECT_EQ(RunCli({"size", fifo}).out, "2 Kb\n");
  writer.join();
  std::string received;
  std::thread reader([&] { received = ReadFile(fifo); });
  EXPECT_EQ(RunCli({"render", "txt", kProject, "-o", fifo}).status, 0);
  reader.join();
  EXPECT_EQ(received, RunCli({"render", "txt", kProject}).out);
  EXPECT_EQ(testing::ListFolder(dir.path()), "fifo");
}

// The man page and the bash completion name every subcommand the program has.
TEST(CliPipeline, DocumentationNamesEverySubcommand) {
  const std::string man = ReadFile(QUILLORY_SOURCE_DIR "/share/man/quillory-cli.1");
  const std::string completion = ReadFile(QUILLORY_SOURCE_DIR "/share/bash-completion/quillory-cli");
  ASSERT_NE(completion.find("complete -F _quillory_cli quillory-cli"), std::string::npos);
  const size_t list = completion.find("commands=\"");
  ASSERT_NE(list, std::string::npos);
  const std::string words =
      " " + completion.substr(list + 10, completion.find('"', list + 10) - list - 10) + " ";
  for (const std::string& command : cli::SubcommandNames()) {
    const size_t section = man.find("\n.SS \"" + command);
    const char after = section == std::string::npos ? '\0' : man[section + 6 + command.size()];
    EXPECT_TRUE(after == ' ' || after == '"') << command << " is missing from the man page";
    EXPECT_NE(words.find(" " + command + " "), std::string::npos)
        << command << " is missing from the completion";
  }
}

}  // namespace
}  // namespace quillory
