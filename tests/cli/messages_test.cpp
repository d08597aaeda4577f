// What quillory-cli tells its user: usage errors in its own words, "did you mean" (a likely slip, or the only
// name that begins with what was typed), the real cause of a failed write, a closed pipe, a folder as the
// output, and the progress of a big file on a terminal.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <sstream>

#include "cli/cli.h"
#include "cli/progress_line.h"
#include "support/cli_runner.h"
#include "support/temp_dir.h"

namespace quillory::cli {
namespace {

using testing::RunCli;
using testing::TempDir;
using testing::WriteFile;

TEST(CliMessages, UsageErrorsNameTheOptionInTheProgramsWords) {
  TempDir dir;
  const std::string p = dir.File("p.qlx");
  WriteFile(p, "[readme]\r\nprogram_name=P\r\n");
  const struct {
    std::vector<std::string> args;
    std::string first_line;
  } cases[] = {
      {{"render", "txt", p, "-o", "a", "-o", "b"}, "render: --output is given more than once"},
      {{"render", "txt"}, "render: missing PROJECT"},
      {{"render", "txt", p, "--set"}, "render: --set needs a value"},
      {{"render", "txt", p, "extra"}, "render: unexpected argument 'extra'"},
      {{"get", "--raw", "--json", p}, "get: --raw and --json cannot be given together"},
      {{"get", "--jsno", p}, "get: unknown option '--jsno'; did you mean '--json'?"},
      {{"get", p}, "get: missing KEY"},
      {{"get", p, "verison"},
       "get: unknown key 'verison'; did you mean 'version'? (keys: program_name, version,"},
      {{"set", p, "c7=x"}, "set: unknown key 'c7'; did you mean 'c1'? (keys: program_name, version,"},
      {{"render", "htm", p}, "render: unknown format 'htm'; did you mean 'html'? (formats: txt, html,"},
      {{"stamp", "--format", "jsno", p, p}, "stamp: unknown report format 'jsno'; did you mean 'json'?"},
      {{"sha265", p}, "unknown command 'sha265'; did you mean 'sha256'?"},
      {{"rend", p}, "unknown command 'rend'; did you mean 'render'?"},
      {{"help", "chek"}, "help: unknown command 'chek'; did you mean 'check'?"},
      {{"--frobnicate"}, "unknown option '--frobnicate'"},
      {{}, "no command given"},
  };
  for (const auto& c : cases) {
    const testing::CliOutcome r = RunCli(c.args);
    EXPECT_EQ(r.status, kExitUsage) << c.first_line;
    EXPECT_TRUE(r.err.starts_with("quillory-cli: " + c.first_line)) << r.err;
    EXPECT_NE(r.err.find("\nusage: quillory-cli "), std::string::npos) << r.err;
    for (const char* library :
         {"is required", "Expected", "was not expected", "excludes", "At Most", "TEXT"}) {
      EXPECT_EQ(r.err.find(library), std::string::npos) << r.err;
    }
  }
}

TEST(CliMessages, FailedWritesGiveTheirCauseAndAClosedPipeEndsQuietly) {
  TempDir dir;
  const std::string p = dir.File("p.qlx");
  WriteFile(p, "[readme]\r\nprogram_name=P\r\n");
  std::istringstream in;
  std::ostringstream out, err;
  const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
  ASSERT_GE(full, 0);
  EXPECT_EQ(cli::Run({"render", "txt", p}, Streams{in, out, err, full}), kExitFailure);
  ::close(full);
  EXPECT_EQ(err.str(), "quillory-cli: render: cannot write standard output: No space left on device\n");
  EXPECT_EQ(RunCli({"render", "txt", p, "-o", "/dev/full"}).err,
            "quillory-cli: render: cannot write '/dev/full': No space left on device\n");

  // Standard output whose reader has gone, with SIGPIPE ignored: status 141 and not a word.
  int pipe_ends[2];
  ASSERT_EQ(::pipe(pipe_ends), 0);
  ::close(pipe_ends[0]);
  const pid_t child = ::fork();
  if (child == 0) {
    std::signal(SIGPIPE, SIG_IGN);
    std::ostringstream messages;
    const int status = cli::Run({"render", "txt", p}, Streams{in, out, messages, pipe_ends[1]});
    ::_exit(status == kExitBrokenPipe && messages.str().empty() ? 0 : 1);
  }
  ::close(pipe_ends[1]);
  int status = -1;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(CliMessages, AFolderAsTheOutputOfOneFormat) {
  TempDir dir;
  const std::string p = dir.File("p.qlx");
  WriteFile(p, "[readme]\r\nprogram_name=P\r\n");
  ASSERT_EQ(RunCli({"render", "txt", p, "-o", dir.File("new/folder/")}).status, kExitOk);
  EXPECT_EQ(testing::ListFolder(dir.File("new/folder")), "README.txt");
  ASSERT_EQ(RunCli({"render", "md", p, "-o", dir.File("new")}).status, kExitOk);
  EXPECT_EQ(testing::ListFolder(dir.File("new")), "README.md folder");
  EXPECT_EQ(RunCli({"render", "html-preview", p, "-o", dir.File("new")}).status, kExitUsage);
}

TEST(CliProgress, TheLineShowsPercentRateAndTimeLeft) {
  const struct {
    std::uint64_t done, total;
    double seconds;
    const char* text;
  } cases[] = {
      {0, 200'000'000, 0, "  0%  --.- MB/s  --:-- left"},
      {50'000'000, 200'000'000, 1, " 25%  50.0 MB/s  0:03 left"},
      {199'999'999, 200'000'000, 4, " 99%  50.0 MB/s  0:00 left"},
      {200'000'000, 200'000'000, 4, "100%  50.0 MB/s  0:00 left"},
      {1'000'000, 4'000'000'000, 1, "  0%  1.0 MB/s  1:06:39 left"},
  };
  for (const auto& c : cases) EXPECT_EQ(ProgressText(c.done, c.total, c.seconds), c.text);

  // The first update at once, then at most ten a second, the one that reaches the total, and a line feed.
  std::ostringstream terminal;
  double now = 0;
  {
    ProgressLine line(terminal, [&] { return now; });
    for (const auto& [at, done] : std::vector<std::pair<double, std::uint64_t>>{{0, 0},
                                                                                {0.0625, 10},
                                                                                {0.125, 20},
                                                                                {0.1875, 30},
                                                                                {0.3125, 40},
                                                                                {0.3203125, 100},
                                                                                {0.328125, 100}}) {
      now = at;
      line.Update(done * 1'000'000, 100'000'000);
    }
  }
  const std::string shown = terminal.str();
  EXPECT_EQ(std::count(shown.begin(), shown.end(), '\r'), 4) << shown;
  EXPECT_TRUE(shown.starts_with("\r  0%")) << shown;
  EXPECT_NE(shown.find("\r 20%"), std::string::npos) << shown;
  EXPECT_TRUE(shown.ends_with("\r100%  312.2 MB/s  0:00 left\n")) << shown;
}

TEST(CliProgress, OnlyABigFileOnATerminalShowsIt) {
  TempDir dir;
  const std::string big = dir.File("big.bin"), small = dir.File("small.bin");
  WriteFile(big, "");
  ASSERT_EQ(::truncate(big.c_str(), static_cast<off_t>(kProgressThreshold) + 1), 0);  // sparse
  WriteFile(small, "");
  ASSERT_EQ(::truncate(small.c_str(), static_cast<off_t>(kProgressThreshold)), 0);
  const struct {
    std::vector<std::string> args;
    bool terminal, shown;
  } cases[] = {
      {{"md5", big}, true, true},
      {{"sha256", big}, true, true},
      {{"stamp", "-n", dir.File("p.qlx"), big}, true, true},
      {{"md5", "-q", big}, true, false},
      {{"md5", big}, false, false},
      {{"md5", small}, true, false},
  };
  for (const auto& c : cases) {
    std::istringstream in;
    std::ostringstream out, err;
    ASSERT_EQ(cli::Run(c.args, Streams{in, out, err, -1, c.terminal}), kExitOk) << err.str();
    if (c.shown) {
      EXPECT_TRUE(err.str().starts_with("\r  0%  --.- MB/s  --:-- left")) << c.args[0];
      EXPECT_NE(err.str().find("\r100%"), std::string::npos) << c.args[0];
      EXPECT_TRUE(err.str().ends_with(" left\n")) << c.args[0];
    } else {
      EXPECT_EQ(err.str(), "") << c.args[0];
    }
    EXPECT_FALSE(out.str().empty());
  }
}

}  // namespace
}  // namespace quillory::cli
