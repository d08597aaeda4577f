#include "text/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/error.h"

namespace quillory {

std::string ReadWholeFile(const std::string& path, Readable readable, size_t limit) {
  return InputSource::Open(path, readable).ReadAll(limit);
}

std::optional<std::string> ReadFileIfExists(const std::string& path, Readable readable, size_t limit) {
  std::optional<InputSource> file = InputSource::OpenIfExists(path, readable);
  if (!file) return std::nullopt;
  return file->ReadAll(limit);
}

bool IsExistingFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

Error WriteFailureMessage(const std::string& path, const WriteFailure& failure) {
  switch (failure.stage) {
    case WriteFailure::Stage::kLink:
      return UnsafeLink(failure.path.empty() ? path : failure.path);
    case WriteFailure::Stage::kCreate:
      return CannotCreateFile(path, failure.error_number);
    case WriteFailure::Stage::kWrite:
      break;
  }
  return Error("Stream write error");
}

void ReplaceFileOrThrow(const std::string& path, std::string_view data) {
  if (auto failure = TryReplaceFile(path, data)) throw WriteFailureMessage(path, *failure);
}

void WriteNewPrivateFile(const std::string& path, std::string_view data) {
  WritePlace place;
  if (auto failure = FindWritePlace(path, place, WalkOption::kLastAsItIs))
    throw WriteFailureMessage(path, *failure);
  if (place.name.empty()) throw CannotCreateFile(path, EISDIR);
  FileDescriptor fd(::openat(place.folder.get(), place.name.c_str(),
                             O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
  if (fd.get() < 0) throw CannotCreateFile(path, errno);
  if (WriteAll(fd.get(), data) != 0 || fd.Close() != 0) {
    ::unlinkat(place.folder.get(), place.name.c_str(), 0);
    throw Error("Stream write error");
  }
}

}  // namespace quillory
