#include "fields/file_size.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/error.h"

namespace quillory {

std::string SizeText(std::uint64_t length) {
  constexpr std::uint64_t kKb = 1024, kMb = kKb * 1024, kGb = kMb * 1024;
  if (length < kKb) return std::to_string(length) + " Byte";
  if (length < kMb) return std::to_string(length / kKb) + " Kb";
  if (length < kGb) return std::to_string(length / kMb) + " Mb";
  return std::to_string(length / kGb) + " Gb";
}

std::uint64_t FileLengthForSize(const std::string& path) {
  auto io_error = [](int error_number) { return Error("I/O error " + std::to_string(error_number)); };
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw io_error(errno);
  struct stat info {};
  const int result = ::fstat(fd, &info);
  const int error_number = errno;
  ::close(fd);
  if (result != 0) throw io_error(error_number);
  if (S_ISDIR(info.st_mode)) throw io_error(EISDIR);
  return static_cast<std::uint64_t>(info.st_size);
}

}  // namespace quillory
