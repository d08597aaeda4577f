#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "common/error.h"
#include "support/child_process.h"
#include "support/temp_dir.h"
#include "text/file_io.h"

namespace quillory {
namespace {

using testing::ListFolder;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

// A set of files is replaced all together or not at all: when the folder refuses the last file only once
// the others are in place (another user's FIFO in a sticky folder), they get their old files back, the
// one written in place (it has another hard link) its old bytes.
TEST(FileSet, AFailureAfterOthersAreInPlaceGivesThemBack) {
  if (::geteuid() != 0) GTEST_SKIP() << "files of several users need the superuser";
  constexpr uid_t kWriter = 4310, kOther = 4311;
  TempDir dir;
  ::chmod(dir.path().c_str(), 0755);
  const std::string folder = dir.File("out");
  std::filesystem::create_directory(folder);
  ::chmod(folder.c_str(), 01777);
  std::vector<FileToWrite> files;
  for (const char* name : {"README.txt", "README.html", "README.nfo"}) {
    WriteFile(folder + "/" + name, std::string("old ") + name);
    ::chown((folder + "/" + name).c_str(), kWriter, kWriter);
    files.push_back({folder + "/" + name, "new"});
  }
  ::link((folder + "/README.nfo").c_str(), (folder + "/other").c_str());
  ASSERT_EQ(::mkfifo((folder + "/README.md").c_str(), 0600), 0);
  ASSERT_EQ(::chown((folder + "/README.md").c_str(), kOther, kOther), 0);
  files.push_back({folder + "/README.md", "new"});

  const auto outcome = testing::RunAsUser({kWriter, kWriter, {}}, [&]() -> std::string {
    const auto failure = ReplaceFileSet(files);
    return failure ? failure->path + ": " + SystemReason(failure->error_number) : "replaced";
  });
  ASSERT_TRUE(outcome);
  EXPECT_EQ(*outcome, folder + "/README.md: Operation not permitted");
  for (const char* name : {"README.txt", "README.html", "README.nfo"}) {
    EXPECT_EQ(ReadFile(folder + "/" + name), std::string("old ") + name);
  }
  EXPECT_EQ(std::filesystem::hard_link_count(folder + "/other"), 2u);
  EXPECT_EQ(ListFolder(folder), "README.html README.md README.nfo README.txt other");
}

// A temporary file left by a killed write is removed by the next write to the same name, when it is this
// user's and its process has gone; anything else that looks like one stays.
TEST(FileSet, TheNextWriteRemovesWhatAKilledOneLeft) {
  const pid_t gone = ::fork();
  if (gone == 0) ::_exit(0);
  ASSERT_EQ(::waitpid(gone, nullptr, 0), gone);
  const std::string dead = std::to_string(gone), living = std::to_string(::getppid());
  TempDir dir;
  const std::string left = ".doc.qlx.quillory-" + dead + "-0~";
  const std::string at_work = ".doc.qlx.quillory-" + living + "-0~";  // its writer may still be writing
  const std::string others = ".other.qlx.quillory-" + dead + "-0~";   // another file's
  for (const std::string& name : {left, at_work, others}) WriteFile(dir.File(name), "left");
  ASSERT_FALSE(TryReplaceFile(dir.File("doc.qlx"), "new"));
  EXPECT_EQ(ListFolder(dir.path()), at_work + " " + others + " doc.qlx");
}

}  // namespace
}  // namespace quillory
