// Replacing files: one (TryReplaceFile, TryCreateFile) or a set that changes together (ReplaceFileSet).
// Each file is first staged (its place found, its new bytes written and flushed beside it), then put in
// place; a set is put in place only once every file of it is staged, and what was put in place is taken
// back when a later file fails.

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <utility>
#include <vector>

#include "text/file_attributes.h"
#include "text/file_io.h"
#include "text/temporary_file.h"
#include "text/write_path.h"

namespace quillory {
namespace {

using Stage = WriteFailure::Stage;

// The most bytes one datagram carries to a socket that takes datagrams.
constexpr size_t kDatagramSize = 64 * 1024;

enum class Mode {
  kReplace,    // a regular file is replaced, anything else that is no folder is written into
  kCreate,     // only a name that holds nothing
  kSetMember,  // a regular file is replaced; a device, FIFO or socket is replaced too, never written into
};

// Connects to the Unix socket open (O_PATH) at fd, as a stream or else as datagrams. Returns the socket
// and its type, or -1 with errno set.
int ConnectToSocket(int fd, int& type) {
  struct sockaddr_un address {};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "/proc/self/fd/%d", fd);
  int first_error = 0;
  for (int kind : {SOCK_STREAM, SOCK_DGRAM, SOCK_SEQPACKET}) {
    FileDescriptor socket(::socket(AF_UNIX, kind | SOCK_CLOEXEC, 0));
    if (socket.get() < 0) return -1;
    if (::connect(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
      type = kind;
      return socket.Release();
    }
    if (first_error == 0) first_error = errno;
    if (first_error != EPROTOTYPE) break;  // a socket of another type says so; anything else is final
  }
  errno = first_error;
  return -1;
}

// Sends all of data: a stream at once, datagrams kDatagramSize bytes at a time. A reader that has gone is
// EPIPE, never a signal. Returns 0 or the errno value.
int SendAll(int socket, std::string_view data, int type) {
  const size_t step = type == SOCK_STREAM ? data.size() : kDatagramSize;
  while (!data.empty()) {
    const ssize_t sent = ::send(socket, data.data(), std::min(data.size(), step), MSG_NOSIGNAL);
    if (sent < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    data.remove_prefix(static_cast<size_t>(sent));
  }
  return 0;
}

// One file on its way to its name.
class StagedFile {
 public:
  // Finds the place of path, looks at what is there, and gets the new bytes ready: written and flushed to
  // a temporary file beside it, or (for a file that must keep its identity) its old bytes read for a
  // write in place. Returns the failure; nothing visible has changed either way.
  // With a producer, the bytes are made while they are written (data is then unused).
  std::optional<WriteFailure> Prepare(const std::string& path, std::string_view data, Mode mode,
                                      const ByteProducer* producer = nullptr);
  // Puts the bytes in place. With undoable, a replaced file is kept until Undo or the end of this object.
  std::optional<WriteFailure> Commit(bool undoable);
  // Puts back what Commit replaced, as far as it can.
  void Undo();

 private:
  enum class Route { kNew, kSwap, kInPlace, kInto };

  std::optional<WriteFailure> Fail(Stage stage, int error) const { return WriteFailure{stage, error, path_}; }
  std::optional<WriteFailure> WriteTemporary(const struct stat* existing);
  std::optional<WriteFailure> StageInPlace();
  std::optional<WriteFailure> CommitInPlace();
  std::optional<WriteFailure> WriteInto();
  void SyncFolder() const;
  int WriteData(int fd);
  int SendData(int socket, int type);
  void MakeData();

  std::string path_;
  std::string_view data_;
  const ByteProducer* producer_ = nullptr;
  std::string made_;  // the producer's bytes, where a route needs them all before writing
  WritePlace place_;
  Route route_ = Route::kNew;
  bool regular_ = false;  // the name holds a regular file
  TemporaryFile temporary_;
  FileDescriptor existing_;  // the file at the name, for its attributes or a write in place
  std::string previous_;     // its bytes before a write in place
  bool write_only_ = false;  // it cannot be read: its old bytes cannot be kept
  bool committed_ = false;
  bool exchanged_ = false;  // the temporary file holds the replaced one
};

// Writes the new bytes to fd from where it stands. Returns 0 or the errno value.
int StagedFile::WriteData(int fd) {
  if (!producer_) return WriteAll(fd, data_);
  return (*producer_)([fd](std::string_view piece) { return WriteAll(fd, piece); });
}

// Sends the new bytes to a connected socket of type. Returns 0 or the errno value.
int StagedFile::SendData(int socket, int type) {
  if (!producer_) return SendAll(socket, data_, type);
  return (*producer_)([&](std::string_view piece) { return SendAll(socket, piece, type); });
}

// Makes all the producer's bytes at once, for a route that needs their length first.
void StagedFile::MakeData() {
  if (!producer_) return;
  made_.clear();
  const ByteProducer* producer = std::exchange(producer_, nullptr);
  (*producer)([this](std::string_view piece) {
    made_.append(piece);
    return 0;
  });
  data_ = made_;
}

std::optional<WriteFailure> StagedFile::Prepare(const std::string& path, std::string_view data, Mode mode,
                                                const ByteProducer* producer) {
  path_ = path;
  data_ = data;
  producer_ = producer;
  if (auto failure = FindWritePlace(path, place_)) return failure;
  if (place_.name.empty()) return Fail(Stage::kCreate, EISDIR);
  const int folder = place_.folder.get();
  RemoveLeftTemporaries(folder, place_.name);
  struct stat info {};
  if (::fstatat(folder, place_.name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
    if (errno != ENOENT) return Fail(Stage::kCreate, errno);
    route_ = Route::kNew;
    return WriteTemporary(nullptr);
  }
  if (mode == Mode::kCreate) return Fail(Stage::kCreate, EEXIST);
  if (S_ISLNK(info.st_mode)) return Fail(Stage::kCreate, ELOOP);  // a link put there after the walk
  if (S_ISDIR(info.st_mode)) return Fail(Stage::kCreate, EISDIR);
  if (!S_ISREG(info.st_mode)) {
    route_ = mode == Mode::kReplace ? Route::kInto : Route::kSwap;
    return route_ == Route::kInto ? std::nullopt : WriteTemporary(nullptr);
  }
  regular_ = true;
  // A file without any write permission bit is read-only, also for the superuser.
  if ((info.st_mode & 0222) == 0 || ::faccessat(folder, place_.name.c_str(), W_OK, 0) != 0) {
    return Fail(Stage::kCreate, EACCES);
  }
  // A new file would leave the other names of the file with the old bytes.
  if (info.st_nlink > 1) return StageInPlace();
  const int flags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
  existing_ = FileDescriptor(::openat(folder, place_.name.c_str(), O_RDONLY | flags));
  if (existing_.get() < 0 && errno == EACCES) {
    existing_ = FileDescriptor(::openat(folder, place_.name.c_str(), O_WRONLY | flags));
  }
  if (existing_.get() < 0) return Fail(Stage::kCreate, errno);
  if (::fstat(existing_.get(), &info) != 0) return Fail(Stage::kCreate, errno);
  if (!S_ISREG(info.st_mode)) return Fail(Stage::kCreate, EAGAIN);  // swapped since it was looked at
  route_ = Route::kSwap;
  return WriteTemporary(&info);
}

// The new bytes in a temporary file; existing, the status of the regular file they replace, whose owner,
// group, mode and attributes the new file takes. When the folder takes no new file, or the new file cannot
// take all of those, the bytes are written in place instead.
std::optional<WriteFailure> StagedFile::WriteTemporary(const struct stat* existing) {
  const int error = temporary_.Create(place_.folder.get(), place_.name);
  if (error != 0) {
    if (existing && (error == EACCES || error == EPERM || error == EROFS)) return StageInPlace();
    return Fail(Stage::kCreate, error);
  }
  if (existing && CopyOwnerAndAttributes(existing_.get(), *existing, temporary_.fd()) != 0) {
    temporary_.Remove();
    return StageInPlace();
  }
  if (int write_error = WriteData(temporary_.fd())) return Fail(Stage::kWrite, write_error);
  if (::fsync(temporary_.fd()) != 0) return Fail(Stage::kWrite, errno);
  return std::nullopt;
}

// A regular file that is rewritten where it stands (for a folder that takes no new file, a file with
// other hard links, or one whose owner, group or attributes a new file could not take): its old bytes are
// read first, so that a write that fails can put them back.
std::optional<WriteFailure> StagedFile::StageInPlace() {
  route_ = Route::kInPlace;
  MakeData();
  const int flags = O_NOFOLLOW | O_NOCTTY | O_CLOEXEC;
  existing_ = FileDescriptor(::openat(place_.folder.get(), place_.name.c_str(), O_RDWR | flags));
  if (existing_.get() < 0 && errno == EACCES) {
    // Write-only: the old bytes cannot be kept.
    existing_ = FileDescriptor(::openat(place_.folder.get(), place_.name.c_str(), O_WRONLY | flags));
    write_only_ = true;
  }
  if (existing_.get() < 0) return Fail(Stage::kCreate, errno);
  if (write_only_) return std::nullopt;
  if (int error = ReadAll(existing_.get(), previous_)) return Fail(Stage::kCreate, error);
  return std::nullopt;
}

// Rewrites the file in place. That cannot be atomic, but a write that fails leaves no half-written file:
// a file that grows has its final length reserved before the first byte changes (so a full disk or a
// file-size limit stops the save before it starts), the file is cut to its new length only once all new
// bytes are in, and a failure writes the old bytes back over the blocks they held.
std::optional<WriteFailure> StagedFile::CommitInPlace() {
  const int fd = existing_.get();
  if (write_only_) {
    if (::ftruncate(fd, 0) != 0) return Fail(Stage::kCreate, errno);
    if (int error = WriteAll(fd, data_)) return Fail(Stage::kWrite, error);
    if (::fsync(fd) != 0 && errno != EINVAL) return Fail(Stage::kWrite, errno);
    committed_ = true;
    return std::nullopt;
  }
  if (data_.size() > previous_.size()) {
    if (int error = ::posix_fallocate(fd, 0, static_cast<off_t>(data_.size()))) {
      if (::ftruncate(fd, static_cast<off_t>(previous_.size())) == 0) ::fsync(fd);
      return Fail(Stage::kWrite, error);
    }
  }
  int error = WriteAllAt(fd, data_, 0);
  if (error == 0 && ::ftruncate(fd, static_cast<off_t>(data_.size())) != 0) error = errno;
  if (error == 0 && ::fsync(fd) != 0 && errno != EINVAL) error = errno;
  committed_ = true;
  if (error != 0) {
    Undo();
    committed_ = false;
    return Fail(Stage::kWrite, error);
  }
  return std::nullopt;
}

// Writes into what is at the name, a device, FIFO or socket that cannot be replaced: opened for writing
// (a FIFO waits for its reader) or, a socket, connected to.
std::optional<WriteFailure> StagedFile::WriteInto() {
  const int folder = place_.folder.get();
  FileDescriptor target(::openat(folder, place_.name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
  struct stat info {};
  if (target.get() < 0 || ::fstat(target.get(), &info) != 0) return Fail(Stage::kCreate, errno);
  if (S_ISSOCK(info.st_mode)) {
    int type = 0;
    FileDescriptor socket(ConnectToSocket(target.get(), type));
    if (socket.get() < 0) return Fail(Stage::kCreate, errno);
    if (int error = SendData(socket.get(), type)) return Fail(Stage::kWrite, error);
    return std::nullopt;
  }
  FileDescriptor fd(::openat(folder, place_.name.c_str(), O_WRONLY | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC));
  if (fd.get() < 0) return Fail(Stage::kCreate, errno);
  if (int error = WriteData(fd.get())) return Fail(Stage::kWrite, error);
  if (::fsync(fd.get()) != 0 && errno != EINVAL) return Fail(Stage::kWrite, errno);
  if (fd.Close() != 0) return Fail(Stage::kWrite, errno);
  return std::nullopt;
}

std::optional<WriteFailure> StagedFile::Commit(bool undoable) {
  switch (route_) {
    case Route::kInto:
      return WriteInto();
    case Route::kInPlace:
      return CommitInPlace();
    case Route::kNew:
      if (int error = temporary_.MoveTo(place_.name, RENAME_NOREPLACE)) return Fail(Stage::kCreate, error);
      break;
    case Route::kSwap: {
      int error = temporary_.MoveTo(place_.name, undoable ? RENAME_EXCHANGE : 0);
      exchanged_ = undoable && error == 0;
      if (undoable && error == EINVAL) error = temporary_.MoveTo(place_.name, 0);  // no exchange here
      if (regular_ && (error == EPERM || error == EACCES)) {
        // A file the folder lets this user write but not replace (a sticky folder, another user's file).
        temporary_.Remove();
        if (auto failure = StageInPlace()) return failure;
        return CommitInPlace();
      }
      if (error != 0) return Fail(Stage::kCreate, error);
      break;
    }
  }
  committed_ = true;
  SyncFolder();
  return std::nullopt;
}

void StagedFile::Undo() {
  if (!committed_) return;
  const int folder = place_.folder.get();
  switch (route_) {
    case Route::kInto:
      break;  // bytes sent cannot be called back
    case Route::kInPlace:
      if (!write_only_ && WriteAllAt(existing_.get(), previous_, 0) == 0 &&
          ::ftruncate(existing_.get(), static_cast<off_t>(previous_.size())) == 0) {
        ::fsync(existing_.get());
      }
      break;
    case Route::kNew: {
      // Only while the name still holds the file made here.
      struct stat placed {};
      struct stat made {};
      if (::fstatat(folder, place_.name.c_str(), &placed, AT_SYMLINK_NOFOLLOW) == 0 &&
          ::fstat(temporary_.fd(), &made) == 0 && placed.st_dev == made.st_dev &&
          placed.st_ino == made.st_ino) {
        ::unlinkat(folder, place_.name.c_str(), 0);
      }
      break;
    }
    case Route::kSwap:
      if (exchanged_) temporary_.MoveTo(place_.name, RENAME_EXCHANGE);
      break;
  }
  committed_ = false;
  SyncFolder();
}

void StagedFile::SyncFolder() const {
  FileDescriptor dir(::openat(place_.folder.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) ::fsync(dir.get());
}

std::optional<WriteFailure> WriteOne(const std::string& path, std::string_view data, Mode mode,
                                     const ByteProducer* producer = nullptr) {
  StagedFile file;
  if (auto failure = file.Prepare(path, data, mode, producer)) return failure;
  return file.Commit(false);
}

}  // namespace

std::optional<WriteFailure> TryReplaceFile(const std::string& path, std::string_view data) {
  return WriteOne(path, data, Mode::kReplace);
}

std::optional<WriteFailure> TryReplaceFileWith(const std::string& path, const ByteProducer& produce) {
  return WriteOne(path, {}, Mode::kReplace, &produce);
}

std::optional<WriteFailure> TryCreateFile(const std::string& path, std::string_view data) {
  return WriteOne(path, data, Mode::kCreate);
}

std::optional<WriteFailure> ReplaceFileSet(std::span<const FileToWrite> files) {
  std::vector<StagedFile> staged(files.size());
  for (size_t i = 0; i < files.size(); ++i) {
    const ByteProducer* producer = files[i].produce ? &files[i].produce : nullptr;
    if (auto failure = staged[i].Prepare(files[i].path, files[i].bytes, Mode::kSetMember, producer)) {
      return failure;
    }
  }
  for (size_t i = 0; i < files.size(); ++i) {
    if (auto failure = staged[i].Commit(true)) {
      while (i-- > 0) staged[i].Undo();
      return failure;
    }
  }
  return std::nullopt;
}

std::optional<WriteFailure> CreateFolders(const std::string& path) {
  WritePlace place;
  auto failure = FindWritePlace(path + "/.", place, WalkOption::kCreateFolders);
  if (failure && failure->stage != Stage::kLink) failure->path = path;
  return failure;
}

}  // namespace quillory
