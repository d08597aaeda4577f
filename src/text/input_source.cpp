#include "text/input_source.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>
#include <utility>

namespace quillory {
namespace {

// How long a read waits for data before it asks whether to go on.
constexpr int kWaitMilliseconds = 50;
// The most one read of a stream into a string asks for.
constexpr std::size_t kStreamStep = std::size_t{1} << 20;

std::string WindowWording(InputError::Operation operation, const std::string& path, int error_number,
                          std::size_t limit) {
  switch (operation) {
    case InputError::Operation::kNotRegularFile:
      return NotARegularFile(path).what();
    case InputError::Operation::kTooLarge:
      return FileTooLarge(path, limit).what();
    case InputError::Operation::kOpen:
    case InputError::Operation::kRead:
      break;
  }
  return CannotOpenFile(path, error_number).what();
}

bool Refused(const struct stat& info, Readable readable) {
  if (S_ISDIR(info.st_mode)) return false;  // opening it gives EISDIR
  switch (readable) {
    case Readable::kRegularFileOnly:
      return !S_ISREG(info.st_mode);
    case Readable::kNoDevice:
      return S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode);
    case Readable::kAnyFile:
      break;
  }
  return false;
}

// Waits until fd has data or its end (timeout -1: for as long as it takes); false when the time ran out.
bool WaitForData(int fd, int timeout, const std::string& name) {
  pollfd waiting{fd, POLLIN, 0};
  const int ready = ::poll(&waiting, 1, timeout);
  if (ready < 0 && errno != EINTR) throw InputError(InputError::Operation::kRead, name, errno);
  return ready > 0;
}

}  // namespace

InputError::InputError(Operation operation, std::string path, int error_number, std::size_t limit)
    : Error(WindowWording(operation, path, error_number, limit)),
      operation(operation),
      path(std::move(path)),
      error_number(error_number),
      limit(limit) {}

InputSource InputSource::Open(const std::string& path, Readable readable) {
  using Operation = InputError::Operation;
  // A file the rule refuses is never opened: opening a device can have effects of its own, and opening a
  // FIFO waits for its writer. The status is checked again on the descriptor, which is what is read.
  struct stat named {};
  if (::stat(path.c_str(), &named) == 0 && Refused(named, readable)) {
    throw InputError(Operation::kNotRegularFile, path, 0);
  }
  const int nonblocking = readable == Readable::kRegularFileOnly ? O_NONBLOCK : 0;
  InputSource source;
  source.name_ = path;
  source.owned_ = FileDescriptor(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | nonblocking));
  source.fd_ = source.owned_.get();
  if (source.fd_ < 0) throw InputError(Operation::kOpen, path, errno);
  if (::fstat(source.fd_, &source.info_) != 0) throw InputError(Operation::kOpen, path, errno);
  if (S_ISDIR(source.info_.st_mode)) throw InputError(Operation::kOpen, path, EISDIR);
  if (Refused(source.info_, readable)) throw InputError(Operation::kNotRegularFile, path, 0);
  if (nonblocking) {
    const int flags = ::fcntl(source.fd_, F_GETFL);
    if (flags >= 0) ::fcntl(source.fd_, F_SETFL, flags & ~O_NONBLOCK);
  }
  source.Describe();
  return source;
}

std::optional<InputSource> InputSource::OpenIfExists(const std::string& path, Readable readable) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR)) return std::nullopt;
  try {
    return Open(path, readable);
  } catch (const InputError& failure) {
    // Gone between the two looks.
    if (failure.operation == InputError::Operation::kOpen && failure.error_number == ENOENT)
      return std::nullopt;
    throw;
  }
}

InputSource InputSource::FromDescriptor(int fd, std::string name) {
  InputSource source;
  source.name_ = std::move(name);
  source.fd_ = fd;
  if (::fstat(fd, &source.info_) != 0) throw InputError(InputError::Operation::kOpen, source.name_, errno);
  source.Describe();
  return source;
}

InputSource InputSource::FromStream(std::istream& in, std::string name) {
  InputSource source;
  source.name_ = std::move(name);
  source.stream_ = &in;
  return source;
}

void InputSource::Describe() {
  if (!is_regular()) return;
  // A descriptor given to the program may stand anywhere in its file.
  const off_t at = std::max<off_t>(::lseek(fd_, 0, SEEK_CUR), 0);
  length_ = info_.st_size > at ? static_cast<std::uint64_t>(info_.st_size - at) : 0;
  // Read from start to end once: the kernel may read ahead further and drop the pages behind sooner.
  ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
}

std::size_t InputSource::ReadBlock(unsigned char* block, std::size_t size,
                                   const std::function<bool()>& go_on) {
  if (stream_ != nullptr) {
    stream_->read(reinterpret_cast<char*>(block), static_cast<std::streamsize>(size));
    if (stream_->bad()) throw InputError(InputError::Operation::kRead, name_, EIO);
    return static_cast<std::size_t>(stream_->gcount());
  }
  for (;;) {
    if (go_on && !WaitForData(fd_, kWaitMilliseconds, name_)) {
      if (!go_on()) throw ReadCancelled();
      continue;
    }
    const ssize_t got = ReadSome(fd_, block, size);
    if (got >= 0) return static_cast<std::size_t>(got);
    if (errno != EAGAIN && errno != EWOULDBLOCK) throw InputError(InputError::Operation::kRead, name_, errno);
    if (!go_on) WaitForData(fd_, -1, name_);  // a descriptor given in non-blocking mode
  }
}

std::string InputSource::ReadAll(std::size_t limit, std::string head) {
  using Operation = InputError::Operation;
  std::string content = std::move(head);
  if (stream_ != nullptr) {
    try {
      for (;;) {
        const std::size_t left = limit - std::min(limit, content.size());
        const std::size_t step = left < kStreamStep ? left + 1 : kStreamStep;
        const std::size_t old_size = content.size();
        content.resize(old_size + step);
        stream_->read(content.data() + old_size, static_cast<std::streamsize>(step));
        content.resize(old_size + static_cast<std::size_t>(stream_->gcount()));
        if (stream_->bad()) throw InputError(Operation::kRead, name_, EIO);
        if (content.size() > limit) throw InputError(Operation::kTooLarge, name_, EFBIG, limit);
        if (content.size() < old_size + step) return content;
      }
    } catch (const std::bad_alloc&) {
      throw InputError(Operation::kRead, name_, ENOMEM);
    }
  }
  // The length now, not when opened: a document waited on for its lock may have changed meanwhile.
  if (is_regular()) {
    ::fstat(fd_, &info_);
    Describe();
    if (length_ > limit) throw InputError(Operation::kTooLarge, name_, EFBIG, limit);
  }
  int error;
  while ((error = quillory::ReadAll(fd_, content, static_cast<std::size_t>(length_), limit)) == EAGAIN ||
         error == EWOULDBLOCK) {
    WaitForData(fd_, -1, name_);
  }
  if (error == EFBIG) throw InputError(Operation::kTooLarge, name_, EFBIG, limit);
  if (error != 0) throw InputError(Operation::kRead, name_, error);
  return content;
}

}  // namespace quillory
