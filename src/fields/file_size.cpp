#include "fields/file_size.h"

#include <fcntl.h>

#include <cerrno>

#include "common/error.h"
#include "text/file_access.h"

namespace quillory {

std::string SizeText(std::uint64_t length) {
  constexpr std::uint64_t kKb = 1024, kMb = kKb * 1024, kGb = kMb * 1024;
  if (length < kKb) return std::to_string(length) + " Byte";
  if (length < kMb) return std::to_string(length / kKb) + " Kb";
  if (length < kGb) return std::to_string(length / kMb) + " Mb";
  return std::to_string(length / kGb) + " Gb";
}

std::uint64_t FileLengthForSize(const std::string& path, Readable readable) {
  auto io_error = [](int error_number) { return Error("I/O error " + std::to_string(error_number)); };
  OpenedFile file;
  const int opened = readable == Readable::kRegularFileOnly ? OpenRegularFileForReading(path, file)
                                                            : OpenForReading(path, file, O_NOCTTY);
  if (opened == kNotRegularFile) throw NotARegularFile(path);
  if (opened != 0) throw io_error(opened);
  if (S_ISREG(file.info.st_mode)) return static_cast<std::uint64_t>(file.info.st_size);
  if (S_ISCHR(file.info.st_mode) || S_ISBLK(file.info.st_mode)) throw NotARegularFile(path);
  std::uint64_t length = 0;
  char buffer[1 << 16];
  for (;;) {
    const ssize_t got = ReadSome(file.fd.get(), buffer, sizeof buffer);
    if (got < 0) throw io_error(errno);
    if (got == 0) return length;
    length += static_cast<std::uint64_t>(got);
  }
}

}  // namespace quillory
