#include "text/temporary_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <string_view>

namespace quillory {
namespace {

// Room the process number, the counter and the final "~" take in a hidden name.
constexpr size_t kNumbersRoom = 10 + 1 + 10 + 1;

// The hidden name of a temporary file for target up to the process number: ".NAME.quillory-", or with a
// hash of the name in its place when that is too long for the file system.
std::string HiddenPrefix(const std::string& target) {
  std::string prefix = "." + target + ".quillory-";
  if (prefix.size() + kNumbersRoom <= NAME_MAX) return prefix;
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (unsigned char c : target) hash = (hash ^ c) * 1099511628211ull;
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
  return "." + std::string(hex) + ".quillory-";
}

std::string NextHiddenName(const std::string& prefix) {
  static std::atomic<unsigned> counter{0};
  return prefix + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "~";
}

// Whether the files of this process can be given a name through /proc (for files made without one).
bool CanNameUnnamedFiles() {
  static const bool can = ::access("/proc/self/fd", X_OK) == 0;
  return can;
}

std::string ProcPath(int fd) { return "/proc/self/fd/" + std::to_string(fd); }

bool IsNumber(std::string_view text) {
  return !text.empty() && text.size() <= 10 && text.find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

int TemporaryFile::Create(int folder, const std::string& target_name) {
  Remove();
  folder_ = folder;
  prefix_ = HiddenPrefix(target_name);
  if (CanNameUnnamedFiles()) {
    fd_ = FileDescriptor(::openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
    if (fd_.get() >= 0) {
      unnamed_ = true;
      return 0;
    }
    // A file system without unnamed files (or a kernel from before them) takes a named one instead.
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return errno;
  }
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string name = NextHiddenName(prefix_);
    fd_ = FileDescriptor(
        ::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (fd_.get() >= 0) {
      name_ = name;
      return 0;
    }
    if (errno != EEXIST) return errno;
  }
  return EEXIST;
}

int TemporaryFile::GiveName() {
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string name = NextHiddenName(prefix_);
    if (::linkat(AT_FDCWD, ProcPath(fd_.get()).c_str(), folder_, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      name_ = name;
      unnamed_ = false;
      return 0;
    }
    if (errno != EEXIST) return errno;
  }
  return EEXIST;
}

int TemporaryFile::MoveTo(const std::string& target, unsigned flags) {
  if (unnamed_ && flags == RENAME_NOREPLACE) {
    // A new link never replaces anything: the file gets its final name and never had another.
    if (::linkat(AT_FDCWD, ProcPath(fd_.get()).c_str(), folder_, target.c_str(), AT_SYMLINK_FOLLOW) != 0) {
      return errno;
    }
    unnamed_ = false;
    return 0;
  }
  if (unnamed_) {
    if (int error = GiveName()) return error;
  }
  if (::renameat2(folder_, name_.c_str(), folder_, target.c_str(), flags) == 0) {
    if (flags != RENAME_EXCHANGE) name_.clear();
    return 0;
  }
  const int error = errno;
  if (flags != RENAME_NOREPLACE || (error != EINVAL && error != ENOSYS)) return error;
  // A file system without the exclusive rename: a second hard link is exclusive too.
  if (::linkat(folder_, name_.c_str(), folder_, target.c_str(), 0) != 0) return errno;
  ::unlinkat(folder_, name_.c_str(), 0);
  name_.clear();
  return 0;
}

void TemporaryFile::Remove() {
  if (!name_.empty() && folder_ >= 0) ::unlinkat(folder_, name_.c_str(), 0);
  name_.clear();
  unnamed_ = false;
  fd_.Close();
}

void RemoveLeftTemporaries(int folder, const std::string& target_name) {
  const std::string prefix = HiddenPrefix(target_name);
  FileDescriptor listing(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (listing.get() < 0) return;
  DIR* dir = ::fdopendir(listing.get());
  if (dir == nullptr) return;
  listing.Release();
  while (const struct dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (!name.starts_with(prefix) || !name.ends_with('~')) continue;
    const std::string_view numbers = name.substr(prefix.size(), name.size() - prefix.size() - 1);
    const size_t dash = numbers.find('-');
    if (dash == std::string_view::npos || !IsNumber(numbers.substr(0, dash)) ||
        !IsNumber(numbers.substr(dash + 1))) {
      continue;
    }
    const long long pid = std::stoll(std::string(numbers.substr(0, dash)));
    if (pid <= 0 || pid > INT_MAX || pid == ::getpid()) continue;
    if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;  // its writer still runs
    struct stat info {};
    if (::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode) ||
        info.st_uid != ::geteuid()) {
      continue;
    }
    ::unlinkat(::dirfd(dir), entry->d_name, 0);
  }
  ::closedir(dir);
}

}  // namespace quillory
