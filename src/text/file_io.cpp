#include "text/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>

#include "common/error.h"
#include "text/file_descriptor.h"

namespace quillory {
namespace {


// Writes all of data; returns 0 or the errno value of the failed write.
int WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const size_t chunk = std::min<size_t>(data.size(), size_t{1} << 30);
    const ssize_t written = ::write(fd, data.data(), chunk);
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (written == 0) return ENOSPC;
    data.remove_prefix(static_cast<size_t>(written));
  }
  return 0;
}

mode_t CurrentUmask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
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

// Writes all of data at offset; returns 0 or the errno value of the failed write.
int WriteAllAt(int fd, std::string_view data, off_t offset) {
  while (!data.empty()) {
    const size_t chunk = std::min<size_t>(data.size(), size_t{1} << 30);
    const ssize_t written = ::pwrite(fd, data.data(), chunk, offset);
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (written == 0) return ENOSPC;
    data.remove_prefix(static_cast<size_t>(written));
    offset += written;
  }
  return 0;
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
  char buffer[1 << 16];
  for (;;) {
    const ssize_t got = ::pread(fd.get(), buffer, sizeof buffer, static_cast<off_t>(previous.size()));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return WriteFailure{WriteFailure::Stage::kCreate, errno};
    if (got == 0) break;
    previous.append(buffer, static_cast<size_t>(got));
  }
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
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) throw CannotOpenFile(path, errno);
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) throw CannotOpenFile(path, errno);
  if (S_ISDIR(info.st_mode)) throw CannotOpenFile(path, EISDIR);
  std::string content;
  if (S_ISREG(info.st_mode) && info.st_size > 0) content.reserve(static_cast<size_t>(info.st_size));
  char buffer[1 << 16];
  for (;;) {
    // Reads straight into the reserved string when the size is known, else through the buffer.
    if (content.capacity() > content.size()) {
      const size_t old_size = content.size();
      const size_t room = content.capacity() - old_size;
      content.resize(content.capacity());
      const ssize_t got = ::read(fd.get(), content.data() + old_size, room);
      if (got < 0) {
        content.resize(old_size);
        if (errno == EINTR) continue;
        throw CannotOpenFile(path, errno);
      }
      content.resize(old_size + static_cast<size_t>(got));
      if (got == 0) break;
      continue;
    }
    const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      throw CannotOpenFile(path, errno);
    }
    if (got == 0) break;
    content.append(buffer, static_cast<size_t>(got));
  }
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
  std::string hidden_name(1, '.');
  hidden_name.append(target_path.filename().string()).append(".XXXXXX");
  std::string temp_name = (folder / hidden_name).string();
  FileDescriptor fd(::mkostemp(temp_name.data(), O_CLOEXEC));
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
  } else {
    ::fchmod(fd.get(), 0666 & ~CurrentUmask());
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
