// Files another user may have put where quillory-cli writes or reads: what it makes of them.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <thread>

#include "support/cli_runner.h"
#include "support/temp_dir.h"
#include "text/file_access.h"

namespace quillory {
namespace {

using testing::ListFolder;
using testing::ReadFile;
using testing::RunCli;
using testing::TempDir;
using testing::WriteFile;

const std::string kProject = QUILLORY_TEST_DATA "/full/project.qlx";

// render all replaces a FIFO at a README name (never writing into it or waiting for it), and when one
// README cannot be written, none is replaced: the others stay the very same files.
TEST(HostileFiles, RenderAllWritesTheWholeSetOrNothing) {
  TempDir dir;
  const std::string out = dir.File("out");
  std::filesystem::create_directory(out);
  ASSERT_EQ(::mkfifo((out + "/README.nfo").c_str(), 0600), 0);
  FileDescriptor fifo_end(::open((out + "/README.nfo").c_str(), O_RDWR | O_NONBLOCK));  // a write stays seen
  ASSERT_EQ(RunCli({"render", "all", kProject, "-o", out}).status, 0);
  EXPECT_TRUE(std::filesystem::is_regular_file(out + "/README.nfo"));
  auto files = [&] {
    std::string identities;
    for (const char* name : {"README.html", "README.nfo", "README.txt"}) {
      struct stat info {};
      ::stat((out + "/" + name).c_str(), &info);
      identities += std::to_string(info.st_ino) + " ";
    }
    return identities;
  };
  const std::string before = files();
  std::filesystem::remove(out + "/README.md");
  std::filesystem::create_directory(out + "/README.md");  // the last README cannot be written
  const auto failed = RunCli({"render", "all", kProject, "-o", out});
  EXPECT_EQ(failed.status, 1);
  EXPECT_EQ(failed.err, "quillory-cli: render: cannot write '" + out + "/README.md': Is a directory\n");
  EXPECT_EQ(files(), before);
  EXPECT_EQ(ListFolder(out), "README.html README.md README.nfo README.txt");
}

// An output named by -o that is a socket is connected to and sent the README, whether it takes a stream
// or datagrams; a device is no release file to stamp, as it is none to measure.
TEST(HostileFiles, SocketsAreWrittenThroughConnectAndDevicesAreNotStamped) {
  TempDir dir;
  const std::string expected = RunCli({"render", "txt", kProject}).out;
  for (int type : {SOCK_STREAM, SOCK_DGRAM}) {
    const std::string path = dir.File("socket" + std::to_string(type));
    FileDescriptor socket(::socket(AF_UNIX, type, 0));
    struct sockaddr_un address {};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    if (type == SOCK_STREAM) {
      ASSERT_EQ(::listen(socket.get(), 1), 0);
    }
    std::string received;
    std::thread reader([&] {
      if (type == SOCK_STREAM) {
        FileDescriptor connection(::accept(socket.get(), nullptr, nullptr));
        ReadAll(connection.get(), received);
        return;
      }
      received.resize(1 << 20);  // a README this short is one datagram
      received.resize(std::max<ssize_t>(::recv(socket.get(), received.data(), received.size(), 0), 0));
    });
    const auto result = RunCli({"render", "txt", kProject, "-o", path});
    EXPECT_EQ(result.status, 0) << type << ": " << result.err;
    reader.join();
    EXPECT_EQ(received, expected) << type;
  }

  const std::string document = dir.File("doc.qlx");
  WriteFile(document, ReadFile(kProject));
  const auto stamp = RunCli({"stamp", document, "/dev/null"});
  EXPECT_EQ(stamp.status, 1);
  EXPECT_EQ(stamp.err, "quillory-cli: stamp: '/dev/null' is not a regular file\n");
  EXPECT_EQ(ReadFile(document), ReadFile(kProject));
}

// set on a link to something that is no document names the link and where it leads, not only the name.
TEST(HostileFiles, SetNamesALinkToWhatIsNoRegularFile) {
  TempDir dir;
  ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
  std::filesystem::create_directory(dir.File("folder"));
  for (const std::string& target : {dir.File("fifo"), std::string("folder"), std::string("/dev/null")}) {
    const std::string link = dir.File("doc.qlx");
    std::filesystem::remove(link);
    std::filesystem::create_symlink(target, link);
    const testing::CliOutcome r = RunCli({"set", link, "version=2"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "quillory-cli: set: '" + link + "' is a symbolic link to '" + target +
                         "', which is not a regular file\n");
  }
}

}  // namespace
}  // namespace quillory
