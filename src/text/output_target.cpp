#include "text/output_target.h"

#include <fcntl.h>

#include <cerrno>

#include "text/file_access.h"
#include "text/file_io.h"

namespace quillory {

std::optional<int> OwnDescriptorNamed(const std::string& name) {
  WritePlace place;
  if (FindWritePlace(name, place, WalkOption::kOwnDescriptors)) return std::nullopt;
  return place.own_descriptor;
}

std::optional<WriteFailure> TryWriteOutput(const std::string& name, std::string_view bytes,
                                           std::ostream& standard_output) {
  // A file is replaced from the bytes as they are (an in-place save needs them whole anyway).
  if (name != "-" && !OwnDescriptorNamed(name)) return TryReplaceFile(name, bytes);
  return TryWriteOutputWith(
      name, [&](const PieceWriter& write) { return write(bytes); }, standard_output);
}

std::optional<WriteFailure> TryWriteOutputWith(const std::string& name, const ByteProducer& produce,
                                               std::ostream& standard_output) {
  if (name == "-") {
    const int error = produce([&](std::string_view piece) {
      standard_output.write(piece.data(), static_cast<std::streamsize>(piece.size()));
      return standard_output ? 0 : EIO;
    });
    standard_output.flush();
    if (error != 0 || !standard_output) return WriteFailure{WriteFailure::Stage::kWrite, EIO, name};
    return std::nullopt;
  }
  if (auto fd = OwnDescriptorNamed(name)) {
    standard_output.flush();
    const int flags = ::fcntl(*fd, F_GETFL);
    if (flags < 0 || (flags & O_ACCMODE) == O_RDONLY)
      return WriteFailure{WriteFailure::Stage::kCreate, EBADF, name};
    if (int error = produce([&](std::string_view piece) { return WriteAll(*fd, piece); })) {
      return WriteFailure{WriteFailure::Stage::kWrite, error, name};
    }
    return std::nullopt;
  }
  return TryReplaceFileWith(name, produce);
}

int WriteOutput(const std::string& name, std::string_view bytes, std::ostream& standard_output) {
  const auto failure = TryWriteOutput(name, bytes, standard_output);
  return failure ? failure->error_number : 0;
}

}  // namespace quillory
