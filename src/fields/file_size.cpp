#include "fields/file_size.h"

#include "common/error.h"
#include "fields/file_digests.h"

namespace quillory {

std::string SizeText(std::uint64_t length) {
  constexpr std::uint64_t kKb = 1024, kMb = kKb * 1024, kGb = kMb * 1024;
  if (length < kKb) return std::to_string(length) + " Byte";
  if (length < kMb) return std::to_string(length / kKb) + " Kb";
  if (length < kGb) return std::to_string(length / kMb) + " Mb";
  return std::to_string(length / kGb) + " Gb";
}

std::uint64_t InputLength(InputSource& input, const ReadProgress& progress) {
  if (input.is_regular()) return input.length();
  return DigestAll(input, {}, progress).length;
}

std::uint64_t FileLengthForSize(const std::string& path, Readable readable) {
  try {
    InputSource input = InputSource::Open(path, readable);
    return InputLength(input);
  } catch (const InputError& failure) {
    if (failure.operation == InputError::Operation::kNotRegularFile) throw;
    throw Error("I/O error " + std::to_string(failure.error_number));
  }
}

}  // namespace quillory
