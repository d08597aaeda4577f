#pragma once

#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cstddef>
#include <string>
#include <string_view>

// The POSIX calls every reader and writer of the program goes through: reading some, reading all, writing
// all (at an offset), and the descriptor holder (text/input_source.h opens the inputs). Failures are errno
// values, never exceptions, so that each caller words its own message.

namespace quillory {

// An open file descriptor, closed when it goes out of scope.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd = -1) : fd_(fd) {}
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.Release()) {}
  FileDescriptor& operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
      Close();
      fd_ = other.Release();
    }
    return *this;
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() { Close(); }
  int get() const { return fd_; }
  // Closes now; returns what close returned (0 when nothing was open).
  int Close() {
    int result = 0;
    if (fd_ >= 0) result = ::close(fd_);
    fd_ = -1;
    return result;
  }
  // Gives up ownership: the descriptor is returned and no longer closed here.
  int Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

// Reads up to size bytes, retrying after a signal. Returns the count (0 at the end) or -1 with errno set.
ssize_t ReadSome(int fd, void* buffer, size_t size);

// Appends everything left to read from fd to out; size_hint (the expected length, 0 when unknown) lets a
// regular file be read straight into its final room. Returns 0, or the errno value of the failed read
// (EFBIG when more than limit bytes would be held, ENOMEM when memory for them cannot be had).
int ReadAll(int fd, std::string& out, size_t size_hint = 0, size_t limit = std::string::npos);

// Writes all of data at the file position (WriteAll) or at offset (WriteAllAt), retrying after a signal
// and after a short write. Returns 0, or the errno value of the failed write (ENOSPC when nothing more is
// taken).
int WriteAll(int fd, std::string_view data);
int WriteAllAt(int fd, std::string_view data, off_t offset);

}  // namespace quillory
