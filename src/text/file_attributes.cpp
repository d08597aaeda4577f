#include "text/file_attributes.h"

#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <string>
#include <vector>

namespace quillory {
namespace {

constexpr char kAccessAcl[] = "system.posix_acl_access";

// The names of the extended attributes of the file open at fd (none where the file system has none).
std::optional<std::vector<std::string>> AttributeNames(int fd) {
  for (;;) {
    const ssize_t size = ::flistxattr(fd, nullptr, 0);
    if (size < 0) {
      if (errno == ENOTSUP) return std::vector<std::string>();
      return std::nullopt;
    }
    std::string list(static_cast<size_t>(size), '\0');
    const ssize_t got = ::flistxattr(fd, list.data(), list.size());
    if (got < 0 && errno == ERANGE) continue;  // an attribute was added meanwhile
    if (got < 0) return std::nullopt;
    list.resize(static_cast<size_t>(got));
    std::vector<std::string> names;
    for (size_t pos = 0; pos < list.size(); pos = list.find('\0', pos) + 1)
      names.emplace_back(list.c_str() + pos);
    return names;
  }
}

// The value of one extended attribute, or nothing when the file does not carry it (or it cannot be read).
std::optional<std::string> AttributeValue(int fd, const std::string& name) {
  for (;;) {
    const ssize_t size = ::fgetxattr(fd, name.c_str(), nullptr, 0);
    if (size < 0) return std::nullopt;
    std::string value(static_cast<size_t>(size), '\0');
    const ssize_t got = ::fgetxattr(fd, name.c_str(), value.data(), value.size());
    if (got < 0 && errno == ERANGE) continue;
    if (got < 0) return std::nullopt;
    value.resize(static_cast<size_t>(got));
    return value;
  }
}

}  // namespace

int CopyOwnerAndAttributes(int from, const struct stat& old, int to) {
  struct stat now {};
  if (::fstat(to, &now) != 0) return errno;
  // First the owner: changing it clears the set-user-ID and set-group-ID bits, which the mode then restores.
  if (now.st_uid != old.st_uid || now.st_gid != old.st_gid) {
    const uid_t owner = now.st_uid != old.st_uid ? old.st_uid : static_cast<uid_t>(-1);
    if (::fchown(to, owner, old.st_gid) != 0) return errno;
  }
  const auto names = AttributeNames(from);
  if (!names) return errno;
  bool old_has_acl = false;
  for (const std::string& name : *names) {
    old_has_acl = old_has_acl || name == kAccessAcl;
    const auto value = AttributeValue(from, name);
    if (!value) {
      if (errno == ENODATA) continue;  // taken off meanwhile
      return errno;
    }
    if (AttributeValue(to, name) == value) continue;  // given already, like a security label
    if (::fsetxattr(to, name.c_str(), value->data(), value->size(), 0) != 0) return errno;
  }
  if (!old_has_acl && ::fremovexattr(to, kAccessAcl) != 0 && errno != ENODATA && errno != ENOTSUP)
    return errno;
  // Last the mode, which agrees with the list copied above (its group bits are the list's mask).
  if (::fchmod(to, old.st_mode & 07777) != 0) return errno;
  return 0;
}

}  // namespace quillory
