#include "text/write_path.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <deque>
#include <string_view>

namespace quillory {
namespace {

// As many links as the kernel follows in one path.
constexpr int kMaxLinks = 40;
// Folders made on the way before giving up on one that keeps disappearing.
constexpr int kMaxFoldersMade = 4096;

// The components of a path; a final slash stands for the folder itself (".").
std::deque<std::string> Components(std::string_view path) {
  std::deque<std::string> parts;
  for (size_t start = 0; start < path.size();) {
    size_t slash = path.find('/', start);
    if (slash == std::string_view::npos) slash = path.size();
    if (slash > start) parts.emplace_back(path.substr(start, slash - start));
    start = slash + 1;
  }
  if (!path.empty() && path.back() == '/') parts.emplace_back(".");
  return parts;
}

std::string Joined(const std::string& folder, std::string_view name) {
  if (folder.empty()) return std::string(name);
  return folder + (folder.back() == '/' ? "" : "/") + std::string(name);
}

// The text of the folder above folder (a path whose links are all replaced by their targets).
std::string ParentOf(const std::string& folder) {
  if (folder == "/") return folder;
  if (folder.empty() || folder == ".." || folder.ends_with("/..")) return Joined(folder, "..");
  const size_t slash = folder.rfind('/');
  if (slash == std::string::npos) return "";
  return slash == 0 ? "/" : folder.substr(0, slash);
}

bool IsAllDigits(std::string_view text) {
  return !text.empty() && text.size() < 10 && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// Whether the folder open at fd is this process's descriptor folder: /proc/PID/fd, or the one of a thread
// of it, /proc/PID/task/TID/fd.
bool IsOwnDescriptorFolder(int fd) {
  struct statfs system {};
  if (::fstatfs(fd, &system) != 0 || system.f_type != PROC_SUPER_MAGIC) return false;
  char target[PATH_MAX];
  const std::string link = "/proc/self/fd/" + std::to_string(fd);
  const ssize_t length = ::readlink(link.c_str(), target, sizeof target);
  if (length <= 0 || static_cast<size_t>(length) >= sizeof target) return false;
  std::string_view folder(target, static_cast<size_t>(length));
  const std::string own = "/proc/" + std::to_string(::getpid()) + "/";
  if (!folder.starts_with(own) || !folder.ends_with("/fd")) return false;
  folder.remove_prefix(own.size());
  if (folder == "fd") return true;
  if (!folder.starts_with("task/")) return false;
  folder.remove_prefix(5);
  return folder.size() > 3 && IsAllDigits(folder.substr(0, folder.size() - 3));
}

// Whether a link with this status, in a folder with this status, may be followed: not in a sticky,
// world-writable folder when it belongs neither to this process's user nor to the folder's owner.
bool MayFollowLink(const struct stat& link, const struct stat& folder) {
  const bool shared = (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH);
  return !shared || link.st_uid == ::geteuid() || link.st_uid == folder.st_uid;
}

}  // namespace

std::string WritePlace::Path() const { return name.empty() ? folder_path : Joined(folder_path, name); }

std::optional<WriteFailure> FindWritePlace(const std::string& path, WritePlace& place, WalkOption option) {
  using Stage = WriteFailure::Stage;
  auto fail = [&](int error) { return WriteFailure{Stage::kCreate, error, path}; };
  if (path.empty()) return fail(ENOENT);
  std::deque<std::string> pending = Components(path);
  const bool absolute = path.front() == '/';
  FileDescriptor folder(::open(absolute ? "/" : ".", O_PATH | O_DIRECTORY | O_CLOEXEC));
  if (folder.get() < 0) return fail(errno);
  std::string folder_path = absolute ? "/" : "";
  std::string name;
  int links = 0;
  int folders_made = 0;
  while (!pending.empty()) {
    std::string part = std::move(pending.front());
    pending.pop_front();
    const bool last = pending.empty();
    if (part == ".") continue;
    if (part == "..") {
      FileDescriptor up(::openat(folder.get(), "..", O_PATH | O_DIRECTORY | O_CLOEXEC));
      if (up.get() < 0) return fail(errno);
      folder = std::move(up);
      folder_path = ParentOf(folder_path);
      continue;
    }
    if (option == WalkOption::kOwnDescriptors && last && IsAllDigits(part) &&
        IsOwnDescriptorFolder(folder.get())) {
      place.own_descriptor = std::stoi(part);
      name = part;
      break;
    }
    if (option == WalkOption::kLastAsItIs && last) {
      name = part;
      break;
    }
    // O_PATH with O_NOFOLLOW opens whatever is there, a link included, without following it or touching a
    // device or FIFO; its status is then that of the very thing opened.
    FileDescriptor entry(::openat(folder.get(), part.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
    if (entry.get() < 0) {
      const int error = errno;
      if (error == ENOENT && last) {
        name = part;
        break;
      }
      if (error == ENOENT && option == WalkOption::kCreateFolders && ++folders_made <= kMaxFoldersMade) {
        if (::mkdirat(folder.get(), part.c_str(), 0777) != 0 && errno != EEXIST) return fail(errno);
        pending.push_front(std::move(part));  // walked again: whatever is there now is checked as usual
        continue;
      }
      return fail(error);
    }
    struct stat info {};
    if (::fstat(entry.get(), &info) != 0) return fail(errno);
    if (S_ISLNK(info.st_mode)) {
      struct stat folder_info {};
      if (::fstat(folder.get(), &folder_info) != 0) return fail(errno);
      if (!MayFollowLink(info, folder_info))
        return WriteFailure{Stage::kLink, EACCES, Joined(folder_path, part)};
      if (++links > kMaxLinks) return fail(ELOOP);
      char target[PATH_MAX];
      const ssize_t length = ::readlinkat(entry.get(), "", target, sizeof target);
      if (length < 0) return fail(errno);
      if (length == 0) return fail(ENOENT);
      if (static_cast<size_t>(length) >= sizeof target) return fail(ENAMETOOLONG);
      const std::string_view destination(target, static_cast<size_t>(length));
      std::deque<std::string> spliced = Components(destination);
      pending.insert(pending.begin(), spliced.begin(), spliced.end());
      if (destination.front() == '/') {
        folder = FileDescriptor(::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC));
        if (folder.get() < 0) return fail(errno);
        folder_path = "/";
      }
      continue;
    }
    if (last) {
      name = part;
      break;
    }
    if (!S_ISDIR(info.st_mode)) return fail(ENOTDIR);
    folder = std::move(entry);
    folder_path = Joined(folder_path, part);
  }
  place.folder = std::move(folder);
  place.folder_path = std::move(folder_path);
  place.name = std::move(name);
  return std::nullopt;
}

}  // namespace quillory
