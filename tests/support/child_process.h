#pragma once

#include <sys/types.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quillory::testing {

// Runs body in a forked child and returns the text it gives back (by convention empty when all went well,
// otherwise what went wrong). Before body runs, the child hands folder and everything in it to the
// unprivileged user and group 65534 and becomes that user, so permission bits bind it even when the tests
// run as the superuser. Returns nothing when the child cannot change its user (the caller skips); a child
// that dies reports how.
std::optional<std::string> RunAsUnprivilegedUser(const std::string& folder,
                                                 const std::function<std::string()>& body);

// Who a child runs as.
struct UserIds {
  uid_t uid;
  gid_t gid;
  std::vector<gid_t> groups;  // supplementary groups
};

// Runs body in a forked child that has become the user ids (which only the superuser can do; a process
// that already is that user runs body as it is) and returns its text as RunAsUnprivilegedUser does.
// Returns nothing when the child cannot become that user (the caller skips).
std::optional<std::string> RunAsUser(const UserIds& ids, const std::function<std::string()>& body);

// While it lives, no file of this process may grow past `bytes`: a write beyond fails with EFBIG, and the
// SIGXFSZ signal that would otherwise end the process is ignored.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(unsigned long long bytes);
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  ~FileSizeLimit();

 private:
  unsigned long long old_soft_limit_;
  void (*old_handler_)(int);
};

}  // namespace quillory::testing
