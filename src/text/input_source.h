#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <istream>
#include <optional>
#include <string>

#include "common/error.h"
#include "text/file_access.h"

// The one way the program reads its inputs: a named file, a descriptor it is given, or a stream (the
// command line's standard input). Every input is read whole into memory with a cap, or block by block.

namespace quillory {

// Which files a reader takes. The window reads regular files only and refuses anything else at once, without
// opening a device or waiting for a FIFO's writer. The command-line tool reads FIFOs, pipes and sockets like
// any Unix tool (opening a FIFO waits for its writer, as cat does); kAnyFile also reads devices, kNoDevice
// refuses them without opening them (for a length, which a device does not have).
enum class Readable { kRegularFileOnly, kNoDevice, kAnyFile };

// The most bytes an input is read into memory.
inline constexpr std::size_t kMaxReadSize = std::size_t{1} << 30;

// A failure to read an input: which step failed, the input's name ("-" for standard input) and the system's
// error number. what() is the window's wording:
//   kOpen, kRead     "Cannot open file "%s". %s"
//   kNotRegularFile  ""%s" is not a regular file"
//   kTooLarge        "Cannot open file "%s". It is larger than %s" (error_number is EFBIG)
class InputError : public Error {
 public:
  enum class Operation { kOpen, kRead, kNotRegularFile, kTooLarge };
  InputError(Operation operation, std::string path, int error_number, std::size_t limit = kMaxReadSize);

  Operation operation;
  std::string path;
  int error_number;
  std::size_t limit;  // the most bytes the read would take (kTooLarge)
};

// Told the bytes done so far and the input's length (0 when it is not known); returns whether to go on.
using ReadProgress = std::function<bool(std::uint64_t done, std::uint64_t total)>;

// Raised when a ReadProgress asks to stop. It is no Error: the caller decides whether a stop is worth a
// message.
class ReadCancelled : public std::exception {
 public:
  const char* what() const noexcept override { return "Reading cancelled"; }
};

// An input open for reading.
class InputSource {
 public:
  // Opens the file at path as readable allows. Raises InputError: kNotRegularFile for a file the rule
  // refuses (before opening it), kOpen when it cannot be opened (a folder gives EISDIR).
  static InputSource Open(const std::string& path, Readable readable);

  // Like Open, but a path that names nothing (ENOENT, or ENOTDIR on the way) gives no input.
  static std::optional<InputSource> OpenIfExists(const std::string& path, Readable readable);

  // The descriptor fd, which stays open afterwards and is read from where it stands; name is used in
  // messages. Raises InputError (kOpen) when fd cannot be examined.
  static InputSource FromDescriptor(int fd, std::string name);

  // The stream in, read from where it stands; name is used in messages.
  static InputSource FromStream(std::istream& in, std::string name);

  const std::string& name() const { return name_; }
  // The descriptor read from, or -1 for a stream.
  int descriptor() const { return fd_; }
  // The status of the descriptor when it was opened (all zero for a stream).
  const struct stat& info() const { return info_; }
  bool is_regular() const { return S_ISREG(info_.st_mode); }
  // The bytes left to read in a regular file when it was opened; 0 for anything else (not known).
  std::uint64_t length() const { return length_; }

  // Fills block with up to size bytes and returns the count, 0 at the end. With go_on, a descriptor is
  // waited on 50 ms at a time and go_on is called after each wait that brought no data: it returning false
  // raises ReadCancelled, so that an input that never ends can be stopped. Raises InputError (kRead).
  std::size_t ReadBlock(unsigned char* block, std::size_t size, const std::function<bool()>& go_on = {});

  // Everything left to read, after head (what was read of this input before; the limit counts it too), so
  // that a reader that looked at the start first needs no second copy. Raises InputError: kTooLarge beyond
  // limit bytes (a regular file by its length, before reading; anything else once limit + 1 bytes have come,
  // and never more than that are read), kRead when it cannot be read or memory for it cannot be had (ENOMEM).
  std::string ReadAll(std::size_t limit = kMaxReadSize, std::string head = {});

 private:
  InputSource() = default;
  void Describe();

  std::string name_;
  FileDescriptor owned_;
  int fd_ = -1;
  std::istream* stream_ = nullptr;
  struct stat info_ {};
  std::uint64_t length_ = 0;
};

}  // namespace quillory
