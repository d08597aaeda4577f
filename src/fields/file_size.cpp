#include "fields/file_size.h"

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

std::uint64_t FileLengthForSize(const std::string& path) {
  auto io_error = [](int error_number) { return Error("I/O error " + std::to_string(error_number)); };
  OpenedFile file;
  if (int error = OpenForReading(path, file)) throw io_error(error);
  return static_cast<std::uint64_t>(file.info.st_size);
}

}  // namespace quillory
