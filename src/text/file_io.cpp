#include "text/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>

#include "common/error.h"
#include "text/file_access.h"

namespace quillory {
namespace {

// Creates a new, empty file under a short unused name in folder, for the bytes that will replace a file
// there: a hidden name of 11 characters, so that a target whose name is as long as the file system allows
// can still be replaced. Returns the descriptor (or -1 with errno set) and the name in temp_path. The mode
// asked for is 0666, which the process's umask narrows as for any new file.
int CreateTemporaryFile(const std::filesystem::path& folder, std::string& temp_path) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  for (int attempt = 0; attempt < 100; ++attempt) {
    unsigned char random[6];
    if (::getentropy(random, sizeof random) != 0) return -1;
    std::string name = ".qlx";
    for (unsigned char r : random) name += kLetters[r % (sizeof kLetters - 1)];
    temp_path = (folder / name).string();
    const int fd = ::open(temp_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

// The file a write to path really changes: a link is followed to its target.
std::string ResolveTarget(const std::string& path) {
  struct stat link_info {};
  if (::lstat(path.c_str(), &link_info) == 0 && S_ISLNK(link_info.st_mode)) {
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) != nullptr) return resolved;
  }
  return path;
}

// Writes data over target after cutting it to nothing: for a file that is no regular file (a device, a
// pipe), which cannot be replaced, and for a write-only one, whose old bytes cannot be kept.
std::optional<WriteFailure> WriteInPlace(const std::string& target, std::string_view data) {
  FileDescriptor fd(::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
  if (fd.get() < 0) return WriteFailure{WriteFailure::Stage::kCreate, errno};
  if (int error = WriteAll(fd.get(), data)) return WriteFailure{WriteFailure::Stage::kWrite, error};
  if (::fsync(fd.get()) != 0 && errno != EINVAL) return WriteFailure{WriteFailure::Stage::kWrite, errno};
  if (fd.Close() != 0) return WriteFailure{WriteFailure::Stage::kWrite, errno};
  return std::nullopt;
}

// Rewrites a regular file where it stands, for a folder that takes no new file. That cannot be atomic,
// but a write that fails leaves no half-written file: the old bytes are read first, the file is cut to
// its new length only once all new bytes are in, and a failure writes the old bytes back over the blocks
// they held (which needs no new room on the disk).
std::optional<WriteFailure> RewriteRegularFile(const std::string& target, std::string_view data) {
  FileDescriptor fd(::open(target.c_str(), O_RDWR | O_CLOEXEC));
  if (fd.get() < 0) {
    if (errno == EACCES) return WriteInPlace(target, data);  // write-only: the old bytes cannot be kept
    return WriteFailure{WriteFailure::Stage::kCreate, errno};
  }
  std::string previous;
  if (int error = ReadAll(fd.get(), previous)) return WriteFailure{WriteFailure::Stage::kCreate, error};
  int error = WriteAllAt(fd.get(), data, 0);
  if (error == 0 && ::ftruncate(fd.get(), static_cast<off_t>(data.size())) != 0) error = errno;
  if (error == 0 && ::fsync(fd.get()) != 0 && errno != EINVAL) error = errno;
  if (error != 0) {
    if (WriteAllAt(fd.get(), previous, 0) == 0 &&
        ::ftruncate(fd.get(), static_cast<off_t>(previous.size())) == 0) {
      ::fsync(fd.get());
    }
    return WriteFailure{WriteFailure::Stage::kWrite, error};
  }
  if (fd.Close() != 0) return WriteFailure{WriteFailure::Stage::kWrite, errno};
  return std::nullopt;
}

}  // namespace

std::string ReadWholeFile(const std::string& path) {
  OpenedFile file;
  if (int error = OpenForReading(path, file)) throw CannotOpenFile(path, error);
  std::string content;
  const size_t size_hint = S_ISREG(file.info.st_mode) ? static_cast<size_t>(file.info.st_size) : 0;
  if (int error = ReadAll(file.fd.get(), content, size_hint)) throw CannotOpenFile(path, error);
  return content;
}

std::optional<std::string> ReadFileIfExists(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR)) return std::nullopt;
  return ReadWholeFile(path);
}

bool IsExistingFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::optional<WriteFailure> TryReplaceFile(const std::string& path, std::string_view data) {
  using Stage = WriteFailure::Stage;
  const std::string target = ResolveTarget(path);
  struct stat existing {};
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  if (exists) {
    if (S_ISDIR(existing.st_mode)) return WriteFailure{Stage::kCreate, EISDIR};
    if (!S_ISREG(existing.st_mode)) return WriteInPlace(target, data);
    // A file without any write permission bit is read-only, also for the superuser.
    if ((existing.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0) {
      return WriteFailure{Stage::kCreate, EACCES};
    }
  }

  std::filesystem::path target_path(target);
  std::filesystem::path folder = target_path.parent_path();
  if (folder.empty()) folder = ".";
  std::string temp_name;
  FileDescriptor fd(CreateTemporaryFile(folder, temp_name));
  if (fd.get() < 0) {
    const int error = errno;
    if (exists && (error == EACCES || error == EPERM || error == EROFS))
      return RewriteRegularFile(target, data);
    return WriteFailure{Stage::kCreate, error};
  }
  auto fail = [&](Stage stage, int error) {
    fd.Close();
    ::unlink(temp_name.c_str());
    return WriteFailure{stage, error};
  };

  if (exists) {
    ::fchmod(fd.get(), existing.st_mode & 07777);
    if (::fchown(fd.get(), existing.st_uid, existing.st_gid) != 0) {
      // Only the superuser may give a file away; keeping our own ownership is fine.
    }
  }
  if (int error = WriteAll(fd.get(), data)) return fail(Stage::kWrite, error);
  if (::fsync(fd.get()) != 0) return fail(Stage::kWrite, errno);
  if (fd.Close() != 0) return fail(Stage::kWrite, errno);
  if (::rename(temp_name.c_str(), target.c_str()) != 0) {
    const int error = errno;
    ::unlink(temp_name.c_str());
    return WriteFailure{Stage::kCreate, error};
  }
  FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) ::fsync(dir.get());
  return std::nullopt;
}

void ReplaceFileOrThrow(const std::string& path, std::string_view data) {
  if (auto failure = TryReplaceFile(path, data)) {
    if (failure->stage == WriteFailure::Stage::kCreate) throw CannotCreateFile(path, failure->error_number);
    throw Error("Stream write error");
  }
}

void WriteNewPrivateFile(const std::string& path, std::string_view data) {
  FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
  if (fd.get() < 0) throw CannotCreateFile(path, errno);
  if (WriteAll(fd.get(), data) != 0 || fd.Close() != 0) {
    ::unlink(path.c_str());
    throw Error("Stream write error");
  }
}

}  // namespace quillory
