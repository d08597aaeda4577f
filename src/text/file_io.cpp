#include "text/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "common/error.h"

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

// Where a write to a path lands: the file at the end of the links at its name, or why none is followed.
struct Target {
  std::string path;
  std::optional<WriteFailure> failure;
};

// Whether a link with this status, in the folder at folder_path, may be followed: not in a sticky,
// world-writable folder when it belongs neither to this process's user nor to the folder's owner.
bool MayFollowLink(const struct stat& link_info, const std::string& folder_path) {
  struct stat folder {};
  if (::stat(folder_path.c_str(), &folder) != 0) return true;  // the write that follows fails on its own
  const bool shared = (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH);
  return !shared || link_info.st_uid == ::geteuid() || link_info.st_uid == folder.st_uid;
}

// The file a write to path really changes: the links at its name are followed one by one, each relative
// to its own folder, as the kernel follows them; the end may be a name that holds nothing yet.
Target ResolveTarget(const std::string& path) {
  std::filesystem::path current(path);
  for (int links = 0;; ++links) {
    struct stat link_info {};
    if (::lstat(current.c_str(), &link_info) != 0 || !S_ISLNK(link_info.st_mode))
      return {current.string(), {}};
    if (links == 40) return {{}, WriteFailure{WriteFailure::Stage::kCreate, ELOOP}};
    const std::filesystem::path folder = current.has_parent_path() ? current.parent_path() : ".";
    if (!MayFollowLink(link_info, folder.string()))
      return {{}, WriteFailure{WriteFailure::Stage::kLink, EACCES}};
    char destination[PATH_MAX];
    const ssize_t length = ::readlink(current.c_str(), destination, sizeof destination);
    if (length < 0 || static_cast<size_t>(length) >= sizeof destination) {
      return {{}, WriteFailure{WriteFailure::Stage::kCreate, length < 0 ? errno : ENAMETOOLONG}};
    }
    const std::filesystem::path next(std::string(destination, static_cast<size_t>(length)));
    current = next.is_absolute() ? next : current.parent_path() / next;
  }
}

// Gives the file open at fd the user extended attributes ("user.*") of the file at from. Attributes the
// file system refuses are left out: the bytes matter, the attributes are a courtesy.
void CopyUserAttributes(const std::string& from, int fd) {
  ssize_t size = ::listxattr(from.c_str(), nullptr, 0);
  if (size <= 0) return;
  std::string names(static_cast<size_t>(size), '\0');
  size = ::listxattr(from.c_str(), names.data(), names.size());
  if (size <= 0) return;
  names.resize(static_cast<size_t>(size));
  for (size_t pos = 0; pos < names.size(); pos = names.find('\0', pos) + 1) {
    const std::string name = names.c_str() + pos;
    if (!name.starts_with("user.")) continue;
    ssize_t length = ::getxattr(from.c_str(), name.c_str(), nullptr, 0);
    if (length < 0) continue;
    std::string value(static_cast<size_t>(length), '\0');
    length = ::getxattr(from.c_str(), name.c_str(), value.data(), value.size());
    if (length >= 0) ::fsetxattr(fd, name.c_str(), value.data(), static_cast<size_t>(length), 0);
  }
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

// Rewrites a regular file where it stands, for a folder that takes no new file and for a file with other
// hard links. That cannot be atomic, but a write that fails leaves no half-written file: the old bytes are
// read first, a file that grows has its final length reserved before the first byte changes (so a full
// disk or a file-size limit stops the save before it starts), the file is cut to its new length only once
// all new bytes are in, and a failure writes the old bytes back over the blocks they held.
std::optional<WriteFailure> RewriteRegularFile(const std::string& target, std::string_view data) {
  FileDescriptor fd(::open(target.c_str(), O_RDWR | O_CLOEXEC));
  if (fd.get() < 0) {
    if (errno == EACCES) return WriteInPlace(target, data);  // write-only: the old bytes cannot be kept
    return WriteFailure{WriteFailure::Stage::kCreate, errno};
  }
  std::string previous;
  if (int error = ReadAll(fd.get(), previous)) return WriteFailure{WriteFailure::Stage::kCreate, error};
  if (data.size() > previous.size()) {
    if (int error = ::posix_fallocate(fd.get(), 0, static_cast<off_t>(data.size()))) {
      if (::ftruncate(fd.get(), static_cast<off_t>(previous.size())) == 0) ::fsync(fd.get());
      return WriteFailure{WriteFailure::Stage::kWrite, error};
    }
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

namespace {

// Writes data to a new temporary file beside target and moves it to target's name: over the file there
// (existing, whose permissions, owner and user attributes it takes), or only where no file is (no
// existing).
std::optional<WriteFailure> WriteBesideAndMove(const std::string& target, std::string_view data,
                                               const struct stat* existing) {
  using Stage = WriteFailure::Stage;
  std::filesystem::path folder = std::filesystem::path(target).parent_path();
  if (folder.empty()) folder = ".";
  std::string temp_name;
  FileDescriptor fd(CreateTemporaryFile(folder, temp_name));
  if (fd.get() < 0) {
    const int error = errno;
    if (existing && (error == EACCES || error == EPERM || error == EROFS))
      return RewriteRegularFile(target, data);
    return WriteFailure{Stage::kCreate, error};
  }
  auto fail = [&](Stage stage, int error) {
    fd.Close();
    ::unlink(temp_name.c_str());
    return WriteFailure{stage, error};
  };

  if (existing) {
    ::fchmod(fd.get(), existing->st_mode & 07777);
    if (::fchown(fd.get(), existing->st_uid, existing->st_gid) != 0) {
      // Only the superuser may give a file away; keeping our own ownership is fine.
    }
    CopyUserAttributes(target, fd.get());
  }
  if (int error = WriteAll(fd.get(), data)) return fail(Stage::kWrite, error);
  if (::fsync(fd.get()) != 0) return fail(Stage::kWrite, errno);
  if (fd.Close() != 0) return fail(Stage::kWrite, errno);
  int moved = 0;
  if (existing) {
    moved = ::rename(temp_name.c_str(), target.c_str());
  } else {
    moved = ::renameat2(AT_FDCWD, temp_name.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE);
    if (moved != 0 && (errno == EINVAL || errno == ENOSYS)) {
      // A file system without the exclusive rename: a second hard link is exclusive too.
      moved = ::link(temp_name.c_str(), target.c_str());
      if (moved == 0) ::unlink(temp_name.c_str());
    }
  }
  if (moved != 0) {
    const int error = errno;
    ::unlink(temp_name.c_str());
    return WriteFailure{Stage::kCreate, error};
  }
  FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) ::fsync(dir.get());
  return std::nullopt;
}

}  // namespace

std::optional<WriteFailure> TryReplaceFile(const std::string& path, std::string_view data) {
  using Stage = WriteFailure::Stage;
  const Target target = ResolveTarget(path);
  if (target.failure) return target.failure;
  struct stat existing {};
  if (::stat(target.path.c_str(), &existing) != 0) return WriteBesideAndMove(target.path, data, nullptr);
  if (S_ISDIR(existing.st_mode)) return WriteFailure{Stage::kCreate, EISDIR};
  if (!S_ISREG(existing.st_mode)) return WriteInPlace(target.path, data);
  // A file without any write permission bit is read-only, also for the superuser.
  if ((existing.st_mode & 0222) == 0 || ::access(target.path.c_str(), W_OK) != 0) {
    return WriteFailure{Stage::kCreate, EACCES};
  }
  // A new file would leave the other names of the file with the old bytes.
  if (existing.st_nlink > 1) return RewriteRegularFile(target.path, data);
  return WriteBesideAndMove(target.path, data, &existing);
}

std::optional<WriteFailure> TryCreateFile(const std::string& path, std::string_view data) {
  const Target target = ResolveTarget(path);
  if (target.failure) return target.failure;
  return WriteBesideAndMove(target.path, data, nullptr);
}

Error WriteFailureMessage(const std::string& path, const WriteFailure& failure) {
  switch (failure.stage) {
    case WriteFailure::Stage::kLink:
      return UnsafeLink(path);
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
  FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
  if (fd.get() < 0) throw CannotCreateFile(path, errno);
  if (WriteAll(fd.get(), data) != 0 || fd.Close() != 0) {
    ::unlink(path.c_str());
    throw Error("Stream write error");
  }
}

}  // namespace quillory
