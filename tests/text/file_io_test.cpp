#include "text/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "common/error.h"
#include "support/child_process.h"
#include "support/temp_dir.h"
#include "text/text_lines.h"

namespace quillory {
namespace {

using testing::ListFolder;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

mode_t ModeOf(const std::string& path) {
  struct stat info {};
  ::stat(path.c_str(), &info);
  return info.st_mode & 07777;
}

TEST(FileIo, LinesAreWrittenWithCrLfAfterEachEntry) {
  TempDir dir;
  WriteLinesToFile(dir.File("a.txt"), {"one", "", "two\r\nthree"});
  EXPECT_EQ(ReadFile(dir.File("a.txt")), "one\r\n\r\ntwo\r\nthree\r\n");
  WriteLinesToFile(dir.File("a.txt"), {});
  EXPECT_EQ(ReadFile(dir.File("a.txt")), "");
}

TEST(FileIo, ReplacementKeepsPermissionsAndLinksAndLeavesNoTemporaryFile) {
  TempDir dir;
  const std::string path = dir.File("doc.qlx");
  WriteFile(path, "old");
  ::chmod(path.c_str(), 0640);
  ASSERT_FALSE(TryReplaceFile(path, "new"));
  EXPECT_EQ(ReadFile(path), "new");
  EXPECT_EQ(ModeOf(path), 0640u);

  std::filesystem::create_symlink("doc.qlx", dir.File("link.qlx"));
  ASSERT_FALSE(TryReplaceFile(dir.File("link.qlx"), "through the link"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.qlx")));
  EXPECT_EQ(ReadFile(path), "through the link");
  EXPECT_EQ(ListFolder(dir.path()), "doc.qlx link.qlx");
}

TEST(FileIo, NewFilesFollowTheUmaskAndLongNamesCanBeReplaced) {
  TempDir dir;
  const mode_t old_mask = ::umask(027);
  ASSERT_FALSE(TryReplaceFile(dir.File("new.txt"), "x"));
  ::umask(old_mask);
  EXPECT_EQ(ModeOf(dir.File("new.txt")), 0640u);

  // The longest name the file system takes: the temporary name beside it must not be longer.
  const std::string longest = dir.File(std::string(255, 'n'));
  WriteFile(longest, "old");
  ASSERT_FALSE(TryReplaceFile(longest, "new"));
  EXPECT_EQ(ReadFile(longest), "new");
  EXPECT_EQ(ListFolder(dir.path()), "new.txt " + std::string(255, 'n'));
}

TEST(FileIo, RefusalsNameTheFileAndTheReason) {
  TempDir dir;
  try {
    ReplaceFileOrThrow(dir.File("no/such/folder.txt"), "x");
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(std::string(error.what()),
              "Cannot create file \"" + dir.File("no/such/folder.txt") + "\". No such file or directory");
  }
  const std::string locked = dir.File("locked.txt");
  WriteFile(locked, "keep");
  ::chmod(locked.c_str(), 0444);
  auto failure = TryReplaceFile(locked, "lost");
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->error_number, EACCES);
  EXPECT_EQ(ReadFile(locked), "keep");
  EXPECT_TRUE(TryReplaceFile(dir.path(), "x"));  // a folder is no file
  EXPECT_EQ(ListFolder(dir.path()), "locked.txt");
}

TEST(FileIo, FolderThatTakesNoNewFileIsWrittenInPlace) {
  TempDir dir;
  const std::string path = dir.File("doc.txt");
  WriteFile(path, "old");
  auto report = testing::RunAsUnprivilegedUser(dir.path(), [&]() -> std::string {
    if (::chmod(dir.path().c_str(), 0555) != 0) return "chmod failed";
    if (auto failure = TryReplaceFile(path, "new")) return "failed: " + SystemReason(failure->error_number);
    // Written in place, a write cut short must not leave the file half written.
    testing::FileSizeLimit limit(4096);
    auto failure = TryReplaceFile(path, std::string(100000, 'x'));
    if (!failure || failure->error_number != EFBIG) return "no EFBIG";
    return ListFolder(dir.path());
  });
  if (!report) GTEST_SKIP() << "this process cannot run a child as an unprivileged user";
  EXPECT_EQ(*report, "doc.txt");
  EXPECT_EQ(ReadFile(path), "new");
}

TEST(FileIo, Reading) {
  TempDir dir;
  WriteFile(dir.File("bin"), std::string("\0\xFF\r", 3));
  EXPECT_EQ(ReadWholeFile(dir.File("bin")), std::string("\0\xFF\r", 3));
  std::string large(3 * 1024 * 1024 + 5, 'x');  // read in several steps
  for (size_t i = 0; i < large.size(); i += 4093) large[i] = static_cast<char>(i % 251);
  WriteFile(dir.File("large"), large);
  EXPECT_EQ(ReadWholeFile(dir.File("large")), large);
  EXPECT_FALSE(ReadFileIfExists(dir.File("none")));
  EXPECT_THROW(ReadWholeFile(dir.File("none")), Error);
  try {
    ReadWholeFile(dir.path());
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(std::string(error.what()), "Cannot open file \"" + dir.path() + "\". Is a directory");
  }
}

}  // namespace
}  // namespace quillory
