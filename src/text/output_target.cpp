#include "text/output_target.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>

#include "text/file_access.h"
#include "text/file_io.h"

namespace quillory {
namespace {

bool IsAllDigits(std::string_view text) {
  return !text.empty() && text.size() < 10 && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// Whether folder (a path without links) is this process's descriptor folder: /proc/PID/fd, or the one of
// a thread of it, /proc/PID/task/TID/fd.
bool IsOwnDescriptorFolder(std::string_view folder) {
  const std::string own = "/proc/" + std::to_string(::getpid()) + "/";
  if (!folder.starts_with(own) || !folder.ends_with("/fd")) return false;
  folder.remove_prefix(own.size());
  if (folder == "fd") return true;
  if (!folder.starts_with("task/")) return false;
  folder.remove_prefix(5);
  return folder.size() > 3 && IsAllDigits(folder.substr(0, folder.size() - 3));
}

}  // namespace

std::optional<int> OwnDescriptorNamed(const std::string& name) {
  std::filesystem::path current(name);
  // The links of /proc/PID/fd are not followed: their targets are what the descriptors were opened as.
  for (int hops = 0; hops < 40; ++hops) {
    std::filesystem::path folder = current.parent_path();
    if (folder.empty()) folder = ".";
    const std::string base = current.filename().string();
    char resolved[PATH_MAX];
    if (::realpath(folder.c_str(), resolved) == nullptr) return std::nullopt;
    if (IsOwnDescriptorFolder(resolved) && IsAllDigits(base)) return std::stoi(base);
    const std::filesystem::path full = std::filesystem::path(resolved) / base;
    struct stat info {};
    if (::lstat(full.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return std::nullopt;
    char target[PATH_MAX];
    const ssize_t length = ::readlink(full.c_str(), target, sizeof target - 1);
    if (length <= 0) return std::nullopt;
    const std::filesystem::path next(std::string(target, static_cast<size_t>(length)));
    current = next.is_absolute() ? next : std::filesystem::path(resolved) / next;
  }
  return std::nullopt;
}

OutputTarget ResolveOutputTarget(const std::string& name) {
  if (name == "-") return {OutputRoute::kStandardOutput};
  if (auto fd = OwnDescriptorNamed(name)) return {OutputRoute::kOwnDescriptor, *fd};
  struct stat info {};
  if (::stat(name.c_str(), &info) == 0 && !S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode)) {
    return {OutputRoute::kDirect};
  }
  return {OutputRoute::kReplace};
}

int WriteOutput(const std::string& name, std::string_view bytes, std::ostream& standard_output) {
  const OutputTarget target = ResolveOutputTarget(name);
  switch (target.route) {
    case OutputRoute::kStandardOutput:
      standard_output.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
      standard_output.flush();
      return standard_output ? 0 : EIO;
    case OutputRoute::kOwnDescriptor: {
      standard_output.flush();
      const int flags = ::fcntl(target.descriptor, F_GETFL);
      if (flags < 0 || (flags & O_ACCMODE) == O_RDONLY) return EBADF;
      return WriteAll(target.descriptor, bytes);
    }
    case OutputRoute::kDirect: {
      FileDescriptor fd(::open(name.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC));
      if (fd.get() < 0) return errno;
      if (int error = WriteAll(fd.get(), bytes)) return error;
      return fd.Close() == 0 ? 0 : errno;
    }
    case OutputRoute::kReplace:
      if (auto failure = TryReplaceFile(name, bytes)) return failure->error_number;
      return 0;
  }
  return EINVAL;
}

}  // namespace quillory
