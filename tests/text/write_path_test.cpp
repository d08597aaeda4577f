#include "text/write_path.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "common/error.h"
#include "support/temp_dir.h"
#include "text/file_io.h"

namespace quillory {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

constexpr uid_t kOtherUser = 65534;

// A link planted in a shared folder (sticky, world-writable) by another user is never followed by a write,
// whichever component of the path it is and whatever it points at; links of the writing user or of the
// folder's owner, and links in other folders, are followed.
TEST(WritePath, LinksInSharedFoldersAreFollowedOnlyWhenTrusted) {
  if (::geteuid() != 0) GTEST_SKIP() << "giving a link to another user needs the superuser";
  TempDir dir;
  const std::string real = dir.File("real");
  std::filesystem::create_directory(real);
  const std::string fifo = dir.File("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  // Held open at both ends, so that a write into it neither waits nor goes unseen.
  FileDescriptor fifo_end(::open(fifo.c_str(), O_RDWR | O_NONBLOCK));

  // Each case has its own shared folder with one link "dist", and in the case that writes "hop", a link of
  // the writing user from "hop" to "dist/README.txt".
  const struct {
    const char* name;
    std::string target;  // of dist, relative to the shared folder
    uid_t owner;         // of dist
    mode_t folder_mode;
    uid_t folder_owner;
    std::string write;    // the path written, in the shared folder
    std::string refused;  // the link named by the refusal; empty: the write goes through
  } cases[] = {
      {"at the name, to a file", "../real/README.txt", kOtherUser, 01777, 0, "dist", "dist"},
      {"at the name, to a device", "/dev/null", kOtherUser, 01777, 0, "dist", "dist"},
      {"at the name, to a FIFO", "../fifo", kOtherUser, 01777, 0, "dist", "dist"},
      {"on the way, to a folder", "../real", kOtherUser, 01777, 0, "dist/README.txt", "dist"},
      {"on the way, to a folder to be made", "../real/new", kOtherUser, 01777, 0, "dist/README.txt", "dist"},
      {"reached through a trusted link", "../real", kOtherUser, 01777, 0, "hop", "dist"},
      {"of the writing user", "../real", 0, 01777, 0, "dist/README.txt", ""},
      {"of the folder's owner", "../real", kOtherUser, 01777, kOtherUser, "dist/README.txt", ""},
      {"in a folder that is not sticky", "../real", kOtherUser, 0777, 0, "dist/README.txt", ""},
  };
  int number = 0;
  for (const auto& c : cases) {
    const std::string shared = dir.File("pub" + std::to_string(++number));
    std::filesystem::create_directory(shared);
    std::filesystem::create_symlink(c.target, shared + "/dist");
    ASSERT_EQ(::lchown((shared + "/dist").c_str(), c.owner, c.owner), 0);
    if (c.write == "hop") std::filesystem::create_symlink("dist/README.txt", shared + "/hop");
    ASSERT_EQ(::chown(shared.c_str(), c.folder_owner, c.folder_owner), 0);
    ::chmod(shared.c_str(), c.folder_mode);
    const std::string path = shared + "/" + c.write;
    WriteFile(real + "/README.txt", "kept");
    const auto failure = TryReplaceFile(path, "new");
    if (c.refused.empty()) {
      EXPECT_FALSE(failure) << c.name << ": " << SystemReason(failure->error_number);
      EXPECT_EQ(ReadFile(real + "/README.txt"), "new") << c.name;
      continue;
    }
    ASSERT_TRUE(failure) << c.name;
    EXPECT_EQ(failure->stage, WriteFailure::Stage::kLink) << c.name;
    EXPECT_EQ(WriteFailureMessage(path, *failure).what(),
              "Cannot create file \"" + shared + "/" + c.refused +
                  "\". It is a link in a shared folder that belongs to another user")
        << c.name;
    EXPECT_EQ(ReadFile(real + "/README.txt"), "kept") << c.name;
    char byte;
    EXPECT_EQ(::read(fifo_end.get(), &byte, 1), -1) << c.name << ": the FIFO was written";
    EXPECT_EQ(testing::ListFolder(real), "README.txt") << c.name;
  }
}

}  // namespace
}  // namespace quillory
