#include "text/file_io.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <tuple>

#include "common/error.h"
#include "support/child_process.h"
#include "support/sanitizers.h"
#include "support/temp_dir.h"
#include "text/text_lines.h"

namespace quillory {
namespace {

using testing::ListFolder;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

using testing::kSanitized;

mode_t ModeOf(const std::string& path) {
  struct stat info {};
  ::stat(path.c_str(), &info);
  return info.st_mode & 07777;
}

TEST(FileIo, LinesAreJoinedWithCrLfAfterEachEntry) {
  EXPECT_EQ(JoinLines({"one", "", "two\r\nthree"}), "one\r\n\r\ntwo\r\nthree\r\n");
  EXPECT_EQ(JoinLines({}), "");
  EXPECT_EQ(JoinLines({"a"}, "\xEF\xBB\xBF"),
            "\xEF\xBB\xBF"
            "a\r\n");
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

// A save in place (the folder takes no new file) that a file-size limit stops, killing the process as the
// limit's signal does by default, leaves the old bytes: the room is reserved before any byte changes.
TEST(FileIo, InPlaceSaveReservesItsLengthFirst) {
  TempDir dir;
  const std::string path = dir.File("doc.qlx");
  const std::string old_bytes(8192, 'o');
  WriteFile(path, old_bytes);
  auto report = testing::RunAsUnprivilegedUser(dir.path(), [&]() -> std::string {
    if (::chmod(dir.path().c_str(), 0555) != 0) return "chmod failed";
    ::signal(SIGXFSZ, SIG_DFL);
    struct rlimit limit {};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 65536;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    auto failure = TryReplaceFile(path, std::string(200000, 'n'));
    return failure ? "failed: " + SystemReason(failure->error_number) : "saved";
  });
  if (!report) GTEST_SKIP() << "this process cannot run a child as an unprivileged user";
  EXPECT_TRUE(*report == "failed: File too large" || *report == "the child was ended by signal 25")
      << *report;
  EXPECT_TRUE(ReadFile(path) == old_bytes) << "the document was changed";
}

TEST(FileIo, HardLinksAttributesAndDanglingLinksSurviveASave) {
  TempDir dir;
  const std::string path = dir.File("doc.qlx");
  WriteFile(path, "old");
  ASSERT_EQ(::link(path.c_str(), dir.File("other.qlx").c_str()), 0);
  ASSERT_FALSE(TryReplaceFile(path, "new through one name"));
  EXPECT_EQ(ReadFile(dir.File("other.qlx")), "new through one name");

  const std::string tagged = dir.File("tagged.qlx");
  WriteFile(tagged, "old");
  if (::setxattr(tagged.c_str(), "user.origin", "kept", 4, 0) == 0) {
    ASSERT_FALSE(TryReplaceFile(tagged, "new"));
    char value[16] = {};
    EXPECT_EQ(::getxattr(tagged.c_str(), "user.origin", value, sizeof value), 4);
    EXPECT_STREQ(value, "kept");
  } else {
    std::cerr << "the temporary folder takes no user attributes: that part is skipped\n";
  }

  std::filesystem::create_symlink("target.qlx", dir.File("dangling.qlx"));
  ASSERT_FALSE(TryReplaceFile(dir.File("dangling.qlx"), "created"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("dangling.qlx")));
  EXPECT_EQ(ReadFile(dir.File("target.qlx")), "created");
  // The exclusive creation leaves a file that appeared meanwhile alone.
  auto failure = TryCreateFile(dir.File("dangling.qlx"), "second");
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->error_number, EEXIST);
  EXPECT_EQ(ReadFile(dir.File("target.qlx")), "created");
  EXPECT_EQ(ListFolder(dir.path()), "dangling.qlx doc.qlx other.qlx tagged.qlx target.qlx");
}

std::string ReadMessage(const std::function<void()>& read) {
  try {
    read();
    return "read";
  } catch (const Error& error) {
    return error.what();
  }
}

// Reading is bounded (a regular file by its size, before reading; anything else once it passes the
// limit), and the window's way refuses anything but a regular file at once, without waiting on a FIFO.
TEST(FileIo, ReadingIsBoundedAndTheWindowReadsRegularFilesOnly) {
  TempDir dir;
  const std::string fifo = dir.File("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(ReadMessage([&] { ReadWholeFile(fifo, Readable::kRegularFileOnly); }),
            "\"" + fifo + "\" is not a regular file");
  EXPECT_EQ(ReadMessage([&] { ReadWholeFile("/dev/zero", Readable::kRegularFileOnly); }),
            "\"/dev/zero\" is not a regular file");
  EXPECT_EQ(ReadMessage([&] { ReadWholeFile("/dev/zero", Readable::kAnyFile, 1 << 20); }),
            "Cannot open file \"/dev/zero\". It is larger than 1 MiB");

  const std::string huge = dir.File("huge.qlx");  // sparse: it takes no room on the disk
  WriteFile(huge, "");
  ASSERT_EQ(::truncate(huge.c_str(), static_cast<off_t>(kMaxReadSize) + 1), 0);
  EXPECT_EQ(ReadMessage([&] { ReadWholeFile(huge); }),
            "Cannot open file \"" + huge + "\". It is larger than 1 GiB");
  EXPECT_EQ(ReadMessage([&] { ReadWholeFile(huge, Readable::kAnyFile, 3000); }),
            "Cannot open file \"" + huge + "\". It is larger than 3000 bytes");
}

// Memory that cannot be had for a file is an error naming the file, never the end of the program.
TEST(FileIo, AFileLargerThanMemoryIsAnError) {
  if (kSanitized) GTEST_SKIP() << "an address-space limit does not work with the sanitizer's shadow memory";
  TempDir dir;
  const std::string big = dir.File("big.qlx");
  WriteFile(big, "");
  ASSERT_EQ(::truncate(big.c_str(), 512 << 20), 0);
  auto report = testing::RunAsUnprivilegedUser(dir.path(), [&]() -> std::string {
    struct rlimit limit {
      256 << 20, 256 << 20
    };
    ::setrlimit(RLIMIT_AS, &limit);
    return ReadMessage([&] { ReadWholeFile(big); });
  });
  if (!report) GTEST_SKIP() << "this process cannot run a child as an unprivileged user";
  EXPECT_EQ(*report, "Cannot open file \"" + big + "\". Cannot allocate memory");
}

// A save keeps who may use the file: its owner, group, mode and access control list. Where a new file
// cannot be given them (another user's file, one that its list lets this user write), the file is
// written in place.
TEST(FileIo, OwnerGroupModeAndAccessListSurviveASave) {
  if (::geteuid() != 0) GTEST_SKIP() << "files of several users need the superuser";
  constexpr gid_t kTeam = 4300;
  constexpr uid_t kAlice = 4301, kBob = 4302;
  const struct {
    const char* name;
    mode_t folder_mode;
    gid_t folder_group;
    uid_t owner;
    gid_t group;
    mode_t mode;
    bool acl;  // the file's list lets kBob read and write it
    testing::UserIds saver;
  } cases[] = {
      {"a member of the file's group, in a group folder",
       0775,
       kTeam,
       kAlice,
       kTeam,
       0660,
       false,
       {kBob, kBob, {kTeam}}},
      {"the owner, whose group is not its own", 0777, 0, kBob, kTeam, 0640, false, {kBob, kBob, {kTeam}}},
      {"the superuser, over a file with a list", 0755, 0, kAlice, kAlice, 0640, true, {0, 0, {}}},
      {"the owner of a file with a list", 0777, 0, kAlice, kAlice, 0640, true, {kAlice, kAlice, {}}},
      {"a user the list lets write", 0777, 0, kAlice, kAlice, 0640, true, {kBob, kBob, {}}},
      {"another user's writable file in a sticky folder",
       01777,
       0,
       kAlice,
       kAlice,
       0666,
       false,
       {kBob, kBob, {}}},
  };
  auto list_of = [](const std::string& path) {
    char value[256];
    const ssize_t length = ::getxattr(path.c_str(), "system.posix_acl_access", value, sizeof value);
    return length < 0 ? std::string() : std::string(value, static_cast<size_t>(length));
  };
  for (const auto& c : cases) {
    TempDir dir;
    ::chmod(dir.path().c_str(), 0755);
    const std::string folder = dir.File("shared"), path = folder + "/doc.qlx";
    std::filesystem::create_directory(folder);
    ASSERT_EQ(::chown(folder.c_str(), 0, c.folder_group), 0);
    ::chmod(folder.c_str(), c.folder_mode);
    WriteFile(path, "old");
    ASSERT_EQ(::chown(path.c_str(), c.owner, c.group), 0);
    ::chmod(path.c_str(), c.mode);
    if (c.acl && std::system(("setfacl -m u:4302:rw " + path + " 2>/dev/null").c_str()) != 0) {
      std::cerr << "setfacl (package acl) cannot give the file a list: " << c.name << " is skipped\n";
      continue;
    }
    struct stat before {
    }, after{};
    ::stat(path.c_str(), &before);
    const std::string list_before = list_of(path);
    const auto report = testing::RunAsUser(c.saver, [&]() -> std::string {
      const auto failure = TryReplaceFile(path, "new");
      return failure ? SystemReason(failure->error_number) : "";
    });
    ASSERT_TRUE(report) << "this process cannot run a child as another user";
    EXPECT_EQ(*report, "") << c.name;
    ::stat(path.c_str(), &after);
    EXPECT_EQ(ReadFile(path), "new") << c.name;
    EXPECT_EQ(std::tuple(after.st_uid, after.st_gid, after.st_mode),
              std::tuple(before.st_uid, before.st_gid, before.st_mode))
        << c.name;
    EXPECT_EQ(list_of(path), list_before) << c.name;
    EXPECT_EQ(ListFolder(folder), "doc.qlx") << c.name;
  }
}

}  // namespace
}  // namespace quillory
