#include "text/input_source.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <sstream>
#include <thread>

#include "support/temp_dir.h"

namespace quillory {
namespace {

using testing::TempDir;
using testing::WriteFile;

// What reading an input whole gave: its bytes, or the failure's operation and message.
std::string Outcome(const std::function<InputSource()>& open, std::size_t limit) {
  static constexpr const char* kOperations[] = {"open", "read", "not regular", "too large"};
  try {
    return "bytes " + open().ReadAll(limit);
  } catch (const InputError& failure) {
    return std::string(kOperations[static_cast<int>(failure.operation)]) + ": " + failure.what();
  }
}

// A pipe whose write end a thread fills with bytes and then closes; the read end is the test's.
class FedPipe {
 public:
  explicit FedPipe(std::string bytes, int read_flags = 0) {
    int fds[2];
    if (::pipe(fds) != 0) ADD_FAILURE() << "no pipe";
    read_end_ = FileDescriptor(fds[0]);
    ::fcntl(fds[0], F_SETFL, ::fcntl(fds[0], F_GETFL) | read_flags);
    writer_ = std::thread([fd = fds[1], bytes = std::move(bytes)] {
      WriteAll(fd, bytes);
      ::close(fd);
    });
  }
  ~FedPipe() {
    read_end_.Close();  // a writer stopped by a full pipe gets EPIPE
    writer_.join();
  }
  int fd() const { return read_end_.get(); }
  // The bytes still in the pipe.
  std::size_t Left() {
    ::fcntl(fd(), F_SETFL, ::fcntl(fd(), F_GETFL) & ~O_NONBLOCK);
    std::string rest;
    ReadAll(fd(), rest);
    return rest.size();
  }

 private:
  FileDescriptor read_end_;
  std::thread writer_;
};

TEST(InputSource, EachKindOfFileUnderEachRule) {
  TempDir dir;
  WriteFile(dir.File("abc"), "abc");
  WriteFile(dir.File("3000"), std::string(3000, 'x'));
  const std::string fifo = dir.File("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string missing = dir.File("missing"), folder = dir.path();
  using R = Readable;
  const struct {
    std::string path;
    Readable readable;
    std::size_t limit;
    std::string written;  // what a writer sends through the FIFO
    std::string expected;
  } cases[] = {
      {dir.File("abc"), R::kRegularFileOnly, kMaxReadSize, "", "bytes abc"},
      {dir.File("abc"), R::kAnyFile, 3, "", "bytes abc"},
      {dir.File("3000"), R::kAnyFile, 2999, "",
       "too large: Cannot open file \"" + dir.File("3000") + "\". It is larger than 2999 bytes"},
      {missing, R::kRegularFileOnly, kMaxReadSize, "",
       "open: Cannot open file \"" + missing + "\". No such file or directory"},
      {folder, R::kRegularFileOnly, kMaxReadSize, "",
       "open: Cannot open file \"" + folder + "\". Is a directory"},
      {folder, R::kAnyFile, kMaxReadSize, "", "open: Cannot open file \"" + folder + "\". Is a directory"},
      // Refused at once: nothing waits for a writer.
      {fifo, R::kRegularFileOnly, kMaxReadSize, "", "not regular: \"" + fifo + "\" is not a regular file"},
      {fifo, R::kNoDevice, kMaxReadSize, "fifo bytes", "bytes fifo bytes"},
      {fifo, R::kAnyFile, 5, "123456789",
       "too large: Cannot open file \"" + fifo + "\". It is larger than 5 bytes"},
      {"/dev/null", R::kRegularFileOnly, kMaxReadSize, "",
       "not regular: \"/dev/null\" is not a regular file"},
      {"/dev/null", R::kNoDevice, kMaxReadSize, "", "not regular: \"/dev/null\" is not a regular file"},
      {"/dev/null", R::kAnyFile, kMaxReadSize, "", "bytes "},
      {"/dev/zero", R::kAnyFile, 1 << 20, "",
       "too large: Cannot open file \"/dev/zero\". It is larger than 1 MiB"},
  };
  for (const auto& c : cases) {
    std::thread writer;
    if (!c.written.empty()) writer = std::thread([&] { WriteFile(fifo, c.written); });
    EXPECT_EQ(Outcome([&] { return InputSource::Open(c.path, c.readable); }, c.limit), c.expected)
        << c.path << " " << static_cast<int>(c.readable);
    if (writer.joinable()) writer.join();
  }
  EXPECT_FALSE(InputSource::OpenIfExists(missing, R::kAnyFile));
  EXPECT_FALSE(InputSource::OpenIfExists(dir.File("abc/below"), R::kAnyFile));
}

// A stream or a pipe beyond the cap is read no further than one byte past it, however much it holds.
TEST(InputSource, StreamsAndDescriptorsAreReadNoFurtherThanTheCap) {
  for (std::size_t length : {999, 1000, 1001, 5000}) {
    std::istringstream in(std::string(length, 's'));
    const std::string outcome = Outcome([&] { return InputSource::FromStream(in, "-"); }, 1000);
    EXPECT_EQ(outcome.substr(0, 9), length > 1000 ? "too large" : "bytes sss") << length;
    in.clear();
    EXPECT_EQ(static_cast<std::size_t>(in.tellg()), std::min<std::size_t>(length, 1001)) << length;

    // Through a pipe, also one whose descriptor came in non-blocking mode.
    for (int flags : {0, O_NONBLOCK}) {
      FedPipe pipe(std::string(length, 'p'), flags);
      EXPECT_EQ(Outcome([&] { return InputSource::FromDescriptor(pipe.fd(), "-"); }, 1000).substr(0, 9),
                length > 1000 ? "too large" : "bytes ppp")
          << length;
      EXPECT_EQ(pipe.Left(), length - std::min<std::size_t>(length, 1001)) << length;
    }
  }
}

// A descriptor given in the middle of a regular file has the rest of the file to read.
TEST(InputSource, ADescriptorIsReadFromWhereItStands) {
  TempDir dir;
  WriteFile(dir.File("f"), "skipped|rest");
  FileDescriptor fd(::open(dir.File("f").c_str(), O_RDONLY));
  ASSERT_EQ(::lseek(fd.get(), 8, SEEK_SET), 8);
  InputSource input = InputSource::FromDescriptor(fd.get(), "-");
  EXPECT_EQ(input.length(), 4u);
  EXPECT_EQ(input.ReadAll(4), "rest");
}

}  // namespace
}  // namespace quillory
