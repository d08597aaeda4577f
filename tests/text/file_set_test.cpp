#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>

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

const char* const kNames[] = {"README.txt", "README.html", "README.nfo", "README.md"};

void MakeSocket(const std::string& path) {
  FileDescriptor socket(::socket(AF_UNIX, SOCK_STREAM, 0));
  struct sockaddr_un address {};
  address.sun_family = AF_UNIX;
  path.copy(address.sun_path, sizeof address.sun_path - 1);
  ASSERT_EQ(::bind(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
}

// A set of files is replaced all together or not at all, whichever file fails and at whichever step;
// devices, FIFOs and sockets at the names are replaced, never written into or waited on.
TEST(FileSet, AllOrNothing) {
  constexpr uid_t kWriter = 4310, kOther = 4311;
  FileDescriptor fifo_end;  // holds a FIFO open at both ends: a write into it would neither wait nor vanish
  const struct {
    const char* name;
    std::function<void(const std::string& folder)> arrange;  // after the old files are written
    std::optional<testing::UserIds> writer;                  // another user, who owns the folder's files
    std::string outcome;                                     // "" or "NAME: REASON"
  } cases[] = {
      {"every file replaced, also a FIFO and a socket at a name",
       [&](const std::string& folder) {
         std::filesystem::remove(folder + "/README.nfo");
         ASSERT_EQ(::mkfifo((folder + "/README.nfo").c_str(), 0600), 0);
         fifo_end = FileDescriptor(::open((folder + "/README.nfo").c_str(), O_RDWR | O_NONBLOCK));
         std::filesystem::remove(folder + "/README.md");
         MakeSocket(folder + "/README.md");
       },
       {},
       ""},
      {"a file with other hard links, written in place",
       [](const std::string& folder) {
         ::link((folder + "/README.md").c_str(), (folder + "/other").c_str());
       },
       {},
       ""},
      {"a folder at the last name",
       [](const std::string& folder) {
         std::filesystem::remove(folder + "/README.md");
         std::filesystem::create_directory(folder + "/README.md");
       },
       {},
       "README.md: Is a directory"},
      {"the last one cut short by a file-size limit",
       [](const std::string&) {},
       {},
       "README.md: File too large"},
      // Only when the others are in place does the folder refuse the last: they get their old files back.
      {"another user's FIFO in a sticky folder at the last name",
       [](const std::string& folder) {
         ::chmod(folder.c_str(), 01777);
         ::link((folder + "/README.nfo").c_str(), (folder + "/other").c_str());
         std::filesystem::remove(folder + "/README.md");
         ASSERT_EQ(::mkfifo((folder + "/README.md").c_str(), 0600), 0);
         ASSERT_EQ(::chown((folder + "/README.md").c_str(), kOther, kOther), 0);
       },
       testing::UserIds{kWriter, kWriter, {}}, "README.md: Operation not permitted"},
  };
  for (const auto& c : cases) {
    if (c.writer && ::geteuid() != 0) continue;  // files of several users need the superuser
    TempDir dir;
    ::chmod(dir.path().c_str(), 0755);
    const std::string folder = dir.File("out");
    std::filesystem::create_directory(folder);
    std::vector<FileToWrite> files;
    const std::string big(1 << 16, 'b');
    for (const char* name : kNames) {
      WriteFile(folder + "/" + name, std::string("old ") + name);
      ::chmod((folder + "/" + name).c_str(), 0640);
      files.push_back(
          {folder + "/" + name, std::string_view(name) == "README.md" ? std::string_view(big) : "new"});
    }
    if (c.writer) {
      for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        ::chown(entry.path().c_str(), kWriter, kWriter);
      }
    }
    c.arrange(folder);
    const std::string listing = ListFolder(folder);
    auto write = [&]() -> std::string {
      std::optional<testing::FileSizeLimit> limit;
      if (c.outcome.ends_with("File too large")) limit.emplace(big.size() / 2);
      const auto failure = ReplaceFileSet(files);
      if (!failure) return "";
      return std::filesystem::path(failure->path).filename().string() + ": " +
             SystemReason(failure->error_number);
    };
    const std::optional<std::string> outcome = c.writer ? testing::RunAsUser(*c.writer, write) : write();
    ASSERT_TRUE(outcome) << c.name;
    EXPECT_EQ(*outcome, c.outcome) << c.name;
    EXPECT_EQ(ListFolder(folder), listing) << c.name << ": no temporary file stays";
    for (const FileToWrite& file : files) {
      const std::string name = std::filesystem::path(file.path).filename().string();
      if (c.outcome.empty()) {
        EXPECT_TRUE(std::filesystem::is_regular_file(file.path)) << c.name << ": " << name;
      }
      if (!std::filesystem::is_regular_file(file.path)) continue;
      const std::string expected = c.outcome.empty() ? std::string(file.bytes) : "old " + name;
      EXPECT_TRUE(ReadFile(file.path) == expected) << c.name << ": " << name;
    }
    // A file with other hard links keeps them: it was written in place, not replaced.
    if (std::filesystem::exists(folder + "/other")) {
      EXPECT_EQ(std::filesystem::hard_link_count(folder + "/other"), 2u) << c.name;
    }
  }
}

// A temporary file left by a killed write is removed by the next write to the same name, when it is this
// user's and its process has gone; anything else that looks like one stays.
TEST(FileSet, TheNextWriteRemovesWhatAKilledOneLeft) {
  const pid_t gone = ::fork();
  if (gone == 0) ::_exit(0);
  ASSERT_EQ(::waitpid(gone, nullptr, 0), gone);
  const std::string dead = std::to_string(gone);
  const std::string living = std::to_string(::getppid());
  const struct {
    std::string name;
    bool removed;
  } cases[] = {
      {".doc.qlx.quillory-" + dead + "-0~", true},    {".doc.qlx.quillory-" + dead + "-17~", true},
      {".doc.qlx.quillory-" + living + "-0~", false},  // its writer may still be at work
      {".other.qlx.quillory-" + dead + "-0~", false},  // another file's
      {".doc.qlx.quillory-" + dead + "~", false},      // not of the form
      {".doc.qlx.quillory-x" + dead + "-0~", false},
  };
  TempDir dir;
  std::vector<std::string> kept = {"doc.qlx"};
  for (const auto& c : cases) {
    WriteFile(dir.File(c.name), "left");
    if (!c.removed) kept.push_back(c.name);
  }
  std::sort(kept.begin(), kept.end());
  ASSERT_FALSE(TryReplaceFile(dir.File("doc.qlx"), "new"));
  std::string expected;
  for (const std::string& name : kept) expected += (expected.empty() ? "" : " ") + name;
  EXPECT_EQ(ListFolder(dir.path()), expected);
}

}  // namespace
}  // namespace quillory
