#include "text/write_path.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <sstream>

#include "common/error.h"
#include "support/temp_dir.h"
#include "text/file_io.h"
#include "text/output_target.h"

namespace quillory {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

constexpr uid_t kOtherUser = 65534;

// Every way the program writes a file, each giving its failure.
const std::vector<std::pair<std::string, std::function<std::optional<WriteFailure>(const std::string&)>>>
    kWriters = {
        {"replace", [](const std::string& path) { return TryReplaceFile(path, "new"); }},
        {"create", [](const std::string& path) { return TryCreateFile(path, "new"); }},
        {"set",
         [](const std::string& path) {
           return ReplaceFileSet(std::vector<FileToWrite>{{path, "new"}});
         }},
        {"output",
         [](const std::string& path) {
           std::ostringstream out;
           return TryWriteOutput(path, "new", out);
         }},
        {"private file",
         [](const std::string& path) -> std::optional<WriteFailure> {
           try {
             WriteNewPrivateFile(path, "new");
             return std::nullopt;
           } catch (const Error& error) {
             return WriteFailure{WriteFailure::Stage::kCreate, 0, error.what()};
           }
         }},
};

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

  struct Link {
    std::string name, target;
    uid_t owner;
  };
  const struct {
    const char* name;
    std::vector<Link> links;  // made in the shared folder in this order
    mode_t folder_mode;
    uid_t folder_owner;
    std::string write;    // the path written, in the shared folder
    std::string refused;  // the link named by the refusal; empty: the write goes through
  } cases[] = {
      {"at the name, to a file",
       {{"README.txt", real + "/README.txt", kOtherUser}},
       01777,
       0,
       "README.txt",
       "README.txt"},
      {"at the name, to a device", {{"null", "/dev/null", kOtherUser}}, 01777, 0, "null", "null"},
      {"at the name, to a FIFO", {{"pipe", fifo, kOtherUser}}, 01777, 0, "pipe", "pipe"},
      {"on the way, to a folder", {{"dist", real, kOtherUser}}, 01777, 0, "dist/README.txt", "dist"},
      {"on the way, to a folder to be made",
       {{"dist", real + "/new", kOtherUser}},
       01777,
       0,
       "dist/README.txt",
       "dist"},
      {"reached through a trusted link",
       {{"hop", "dist/README.txt", 0}, {"dist", real, kOtherUser}},
       01777,
       0,
       "hop",
       "dist"},
      {"of the writing user", {{"dist", real, 0}}, 01777, 0, "dist/README.txt", ""},
      {"of the folder's owner", {{"dist", real, kOtherUser}}, 01777, kOtherUser, "dist/README.txt", ""},
      {"in a folder that is not sticky", {{"dist", real, kOtherUser}}, 0777, 0, "dist/README.txt", ""},
  };
  int number = 0;
  for (const auto& c : cases) {
    const std::string shared = dir.File("pub" + std::to_string(++number));
    std::filesystem::create_directory(shared);
    for (const Link& link : c.links) {
      std::filesystem::create_symlink(link.target, shared + "/" + link.name);
      ASSERT_EQ(::lchown((shared + "/" + link.name).c_str(), link.owner, link.owner), 0);
    }
    ASSERT_EQ(::chown(shared.c_str(), c.folder_owner, c.folder_owner), 0);
    ::chmod(shared.c_str(), c.folder_mode);
    const std::string path = shared + "/" + c.write;
    for (const auto& [writer, write] : kWriters) {
      const bool creates = writer == "create" || writer == "private file";
      std::filesystem::remove(real + "/new");
      if (creates && c.refused.empty()) {
        std::filesystem::remove(real + "/README.txt");
      } else {
        WriteFile(real + "/README.txt", "kept");
      }
      const auto failure = write(path);
      if (c.refused.empty()) {
        EXPECT_FALSE(failure) << c.name << ", " << writer << ": " << SystemReason(failure->error_number);
        EXPECT_EQ(ReadFile(real + "/README.txt"), "new") << c.name << ", " << writer;
        continue;
      }
      const std::string link = shared + "/" + c.refused;
      const std::string message =
          "Cannot create file \"" + link + "\". It is a link in a shared folder that belongs to another user";
      ASSERT_TRUE(failure) << c.name << ", " << writer;
      if (writer == "private file") {
        // A private file is never made through a link at its name, trusted or not.
        const bool at_name = c.write.find('/') == std::string::npos;
        EXPECT_EQ(failure->path, at_name ? "Cannot create file \"" + path + "\". File exists" : message)
            << c.name;
      } else {
        EXPECT_EQ(failure->stage, WriteFailure::Stage::kLink) << c.name << ", " << writer;
        EXPECT_EQ(WriteFailureMessage(path, *failure).what(), message) << c.name << ", " << writer;
      }
      EXPECT_EQ(ReadFile(real + "/README.txt"), "kept") << c.name << ", " << writer;
      char byte;
      EXPECT_EQ(::read(fifo_end.get(), &byte, 1), -1) << c.name << ", " << writer << ": the FIFO was written";
      EXPECT_EQ(testing::ListFolder(real), "README.txt") << c.name << ", " << writer;
    }
  }
}

// Paths walk as the kernel walks them: "..", "." and double slashes, links relative to their own folder,
// and a loop of links ends.
TEST(WritePath, PathsWalkAsTheKernelWalksThem) {
  TempDir dir;
  std::filesystem::create_directories(dir.File("a/b"));
  std::filesystem::create_symlink("a/b", dir.File("deep"));
  std::filesystem::create_symlink("loop", dir.File("loop"));
  const struct {
    std::string path;
    std::string place;  // folder and name, or the errno text
  } cases[] = {
      {dir.File("a//b/./c.txt"), dir.File("a/b|c.txt")},
      {dir.File("deep/../x.txt"), dir.File("a|x.txt")},  // ".." of the link's target
      {dir.File("deep/"), dir.File("a/b|")},
      {dir.File("loop"), SystemReason(ELOOP)},
      {dir.File("a/b/c.txt/d"), SystemReason(ENOENT)},
      {"/", "/|"},
  };
  for (const auto& c : cases) {
    WritePlace place;
    const auto failure = FindWritePlace(c.path, place);
    EXPECT_EQ(failure ? SystemReason(failure->error_number) : place.folder_path + "|" + place.name, c.place)
        << c.path;
  }
}

}  // namespace
}  // namespace quillory
