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
const char* const kReadmes[] = {"README.html", "README.md", "README.nfo", "README.txt"};

// A Unix socket of the type given, bound at path.
FileDescriptor BoundSocket(const std::string& path, int type) {
  FileDescriptor socket(::socket(AF_UNIX, type, 0));
  struct sockaddr_un address {};
  address.sun_family = AF_UNIX;
  path.copy(address.sun_path, sizeof address.sun_path - 1);
  EXPECT_EQ(::bind(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  return socket;
}

// render all replaces a FIFO or a socket at a README name (never writing into it or waiting for it), and
// when one README cannot be written, none is: the set is the old one or the new one.
TEST(HostileFiles, RenderAllWritesTheWholeSetOrNothing) {
  TempDir dir;
  const std::string out = dir.File("out");
  std::filesystem::create_directory(out);
  ASSERT_EQ(::mkfifo((out + "/README.nfo").c_str(), 0600), 0);
  FileDescriptor fifo_end(::open((out + "/README.nfo").c_str(), O_RDWR | O_NONBLOCK));
  FileDescriptor socket = BoundSocket(out + "/README.md", SOCK_STREAM);
  ASSERT_EQ(::listen(socket.get(), 1), 0);
  const auto first = RunCli({"render", "all", kProject, "-o", out});
  ASSERT_EQ(first.status, 0) << first.err;
  for (const char* name : kReadmes) {
    EXPECT_TRUE(std::filesystem::is_regular_file(out + "/" + name)) << name;
  }
  EXPECT_EQ(ReadFile(out + "/README.md"), RunCli({"render", "md", kProject}).out);

  // A second version of the project, whose README.md cannot be written: a folder holds its name.
  const std::string second = dir.File("second.qlx");
  WriteFile(second, ReadFile(kProject));
  ASSERT_EQ(RunCli({"set", second, "version=9.9"}).status, 0);
  std::vector<std::string> before;
  for (const char* name : kReadmes) before.push_back(ReadFile(out + "/" + name));
  std::filesystem::remove(out + "/README.md");
  std::filesystem::create_directory(out + "/README.md");
  const auto failed = RunCli({"render", "all", second, "-o", out});
  EXPECT_EQ(failed.status, 1);
  EXPECT_EQ(failed.err, "quillory-cli: render: cannot write '" + out + "/README.md': Is a directory\n");
  for (size_t i = 0; i < std::size(kReadmes); ++i) {
    if (i != 1) {
      EXPECT_EQ(ReadFile(out + "/" + kReadmes[i]), before[i]) << kReadmes[i];
    }
  }
  EXPECT_EQ(ListFolder(out), "README.html README.md README.nfo README.txt");
}

// An output named by -o that is a socket is connected to and sent the README, whether it takes a stream
// or datagrams; a device is no release file to stamp, as it is none to measure.
TEST(HostileFiles, SocketsAreWrittenThroughConnectAndDevicesAreNotStamped) {
  TempDir dir;
  const std::string expected = RunCli({"render", "txt", kProject}).out;
  for (int type : {SOCK_STREAM, SOCK_DGRAM}) {
    const std::string path = dir.File("socket" + std::to_string(type));
    FileDescriptor socket = BoundSocket(path, type);
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

}  // namespace
}  // namespace quillory
