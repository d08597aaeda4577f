#include "commands/digest_commands.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "commands/field_commands.h"
#include "common/error.h"
#include "fields/file_size.h"
#include "support/child_process.h"
#include "support/fake_dialogs.h"
#include "support/temp_dir.h"

namespace quillory {
namespace {

TEST(SizeText, UnitBoundaries) {
  const std::pair<std::uint64_t, const char*> cases[] = {
      {0, "0 Byte"},
      {1023, "1023 Byte"},
      {1024, "1 Kb"},
      {1025, "1 Kb"},
      {2047, "1 Kb"},
      {2048, "2 Kb"},
      {1048575, "1023 Kb"},
      {1048576, "1 Mb"},
      {1048577, "1 Mb"},
      {1073741823, "1023 Mb"},
      {1073741824, "1 Gb"},
      {1073741825, "1 Gb"},
      {2040109465, "1 Gb"},  // 1.9 GiB
      {std::uint64_t{5} << 30, "5 Gb"},
      {(std::uint64_t{3000} << 30) + 1, "3000 Gb"},
  };
  for (const auto& [length, text] : cases) EXPECT_EQ(SizeText(length), text) << length;
}

TEST(FileLengthForSize, ReadOnlyAndLargeFilesHaveASizeMissingOnesAnIoError) {
  testing::TempDir dir;
  const std::string read_only = dir.File("program.exe");
  testing::WriteFile(read_only, std::string(1025, 'x'));
  ASSERT_EQ(::chmod(read_only.c_str(), 0444), 0);
  EXPECT_EQ(FileLengthForSize(read_only), 1025u);

  const std::string sparse = dir.File("big.iso");
  testing::WriteFile(sparse, "");
  ASSERT_EQ(::truncate(sparse.c_str(), off_t{5} << 30), 0);
  EXPECT_EQ(SizeText(FileLengthForSize(sparse)), "5 Gb");

  for (const auto& [path, error_number] :
       {std::pair{dir.File("missing.exe"), ENOENT}, {dir.path(), EISDIR}}) {
    try {
      FileLengthForSize(path);
      ADD_FAILURE() << path << " has a size";
    } catch (const Error& error) {
      EXPECT_EQ(error.what(), "I/O error " + std::to_string(error_number));
    }
  }
}

class DigestCommands : public ::testing::Test {
 protected:
  DigestCommands() {
    record_.md5 = "old digest";
    record_.size = "old size";
    testing::WriteFile(dir_.File("abc.exe"), "abc");
    testing::WriteFile(dir_.File("empty.exe"), "");
  }
  testing::TempDir dir_;
  testing::FakeDialogs dialogs_;
  ReadmeProject record_;
};

TEST_F(DigestCommands, EachButtonFillsOnlyItsOwnField) {
  dialogs_.AnswerOpen(dir_.File("abc.exe"));
  FillMd5Command(record_, dialogs_);
  EXPECT_EQ(record_.md5, "900150983CD24FB0D6963F7D28E17F72");
  EXPECT_EQ(record_.size, "old size");

  dialogs_.AnswerOpen(dir_.File("empty.exe"));
  FillSizeCommand(record_, dialogs_);
  EXPECT_EQ(record_.size, "0 Byte");
  EXPECT_EQ(record_.md5, "900150983CD24FB0D6963F7D28E17F72");

  dialogs_.AnswerOpen(dir_.File("empty.exe"));
  FillMd5Command(record_, dialogs_);
  EXPECT_EQ(record_.md5, "D41D8CD98F00B204E9800998ECF8427E");

  ASSERT_EQ(dialogs_.open_requests.size(), 3u);
  for (const FileDialogRequest& request : dialogs_.open_requests) {
    EXPECT_EQ(request.title, "");
    EXPECT_EQ(request.filter, "");
    EXPECT_EQ(request.file_name, "");
  }
  EXPECT_TRUE(dialogs_.informations.empty() && dialogs_.errors.empty());
}

TEST_F(DigestCommands, CancelAndFailuresKeepTheFields) {
  FillMd5Command(record_, dialogs_);  // dialog cancelled
  FillSizeCommand(record_, dialogs_);
  EXPECT_EQ(record_.md5, "old digest");
  EXPECT_EQ(record_.size, "old size");

  for (const std::string& path : {dir_.File("missing.exe"), dir_.path()}) {
    dialogs_.AnswerOpen(path);
    EXPECT_THROW(FillMd5Command(record_, dialogs_), Error) << path;
    dialogs_.AnswerOpen(path);
    EXPECT_THROW(FillSizeCommand(record_, dialogs_), Error) << path;
  }
  EXPECT_EQ(record_.md5, "old digest");
  EXPECT_EQ(record_.size, "old size");

  // Stopped from the progress callback: no digest, no message.
  dialogs_.AnswerOpen(dir_.File("abc.exe"));
  FillMd5Command(record_, dialogs_, [](std::uint64_t, std::uint64_t) { return false; });
  EXPECT_EQ(record_.md5, "old digest");
}

TEST_F(DigestCommands, FileTheUserMayNotReadIsAnError) {
  const std::string locked = dir_.File("locked.exe");
  testing::WriteFile(locked, "abc");
  ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
  dialogs_.AnswerOpen(locked);
  auto report = testing::RunAsUnprivilegedUser(dir_.path(), [&]() -> std::string {
    try {
      FillMd5Command(record_, dialogs_);
      return "no error; md5 " + record_.md5;
    } catch (const Error&) {
      return record_.md5;
    }
  });
  if (!report) GTEST_SKIP() << "this process cannot run a child as an unprivileged user";
  EXPECT_EQ(*report, "old digest");
}

// The window's file buttons take regular files only: a FIFO (which would wait for a writer forever) and a
// device are refused at once; the command-line tool's way still reads a FIFO.
TEST_F(DigestCommands, TheWindowRefusesAFifoAndADeviceAtOnce) {
  const std::string fifo = dir_.File("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::vector<std::function<void()>> buttons = {
      [&] { FillMd5Command(record_, dialogs_); },
      [&] { FillSizeCommand(record_, dialogs_); },
      [&] { LoadTextFileCommand(record_, dialogs_, &ReadmeProject::news); },
  };
  for (const std::string& path : {fifo, std::string("/dev/zero")}) {
    for (auto& button : buttons) {
      dialogs_.AnswerOpen(path);
      try {
        button();
        ADD_FAILURE() << "no error for " << path;
      } catch (const Error& error) {
        EXPECT_EQ(error.what(), "\"" + path + "\" is not a regular file");
      }
    }
  }
  EXPECT_EQ(record_.md5, "old digest");
  EXPECT_EQ(record_.size, "old size");
  EXPECT_EQ(record_.news, "");

  // A writer that sends three bytes: the command-line tool's way counts them.
  const pid_t writer = ::fork();
  if (writer == 0) {
    const int fd = ::open(fifo.c_str(), O_WRONLY);
    const ssize_t written = ::write(fd, "abc", 3);
    ::_exit(written == 3 ? 0 : 1);
  }
  EXPECT_EQ(FileLengthForSize(fifo, Readable::kNoDevice), 3u);
  int status = 0;
  ::waitpid(writer, &status, 0);
  EXPECT_THROW(FileLengthForSize("/dev/null", Readable::kNoDevice), Error);
}

}  // namespace
}  // namespace quillory
