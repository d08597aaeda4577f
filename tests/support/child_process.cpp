#include "support/child_process.h"

#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <exception>
#include <filesystem>
#include <stdexcept>

namespace quillory::testing {
namespace {

constexpr uid_t kUnprivileged = 65534;
constexpr int kCannotChangeUser = 3;

bool Become(const UserIds& ids) {
  if (::geteuid() == ids.uid) return true;
  return ::geteuid() == 0 && ::setgroups(ids.groups.size(), ids.groups.data()) == 0 &&
         ::setresgid(ids.gid, ids.gid, ids.gid) == 0 && ::setresuid(ids.uid, ids.uid, ids.uid) == 0;
}

bool BecomeUnprivileged(const std::string& folder) {
  if (::geteuid() != 0) return true;  // permission bits bind this process already
  std::error_code ec;
  for (auto it = std::filesystem::recursive_directory_iterator(folder, ec);
       it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
    if (::lchown(it->path().c_str(), kUnprivileged, kUnprivileged) != 0) return false;
  }
  return !ec && ::lchown(folder.c_str(), kUnprivileged, kUnprivileged) == 0 &&
         Become({kUnprivileged, kUnprivileged, {}});
}

// Runs body in a forked child after become, returning its report (see RunAsUnprivilegedUser).
std::optional<std::string> RunInChild(const std::function<bool()>& become,
                                      const std::function<std::string()>& body);

void WriteAll(int fd, const std::string& text) {
  for (size_t done = 0; done < text.size();) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    done += static_cast<size_t>(n);
  }
}

}  // namespace

std::optional<std::string> RunAsUnprivilegedUser(const std::string& folder,
                                                 const std::function<std::string()>& body) {
  return RunInChild([&] { return BecomeUnprivileged(folder); }, body);
}

std::optional<std::string> RunAsUser(const UserIds& ids, const std::function<std::string()>& body) {
  return RunInChild([&] { return Become(ids); }, body);
}

namespace {

std::optional<std::string> RunInChild(const std::function<bool()>& become,
                                      const std::function<std::string()>& body) {
  int channel[2];
  if (::pipe(channel) != 0) throw std::runtime_error("pipe failed");
  const pid_t child = ::fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    ::close(channel[0]);
    if (!become()) ::_exit(kCannotChangeUser);
    std::string report;
    try {
      report = body();
    } catch (const std::exception& error) {
      report = std::string("exception: ") + error.what();
    }
    WriteAll(channel[1], report);
    ::_exit(0);
  }
  ::close(channel[1]);
  std::string report;
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(channel[0], buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    report.append(buffer, static_cast<size_t>(n));
  }
  ::close(channel[0]);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) == kCannotChangeUser) return std::nullopt;
  if (WIFSIGNALED(status)) return "the child was ended by signal " + std::to_string(WTERMSIG(status));
  return report;
}

}  // namespace

FileSizeLimit::FileSizeLimit(unsigned long long bytes) {
  struct rlimit limit {};
  ::getrlimit(RLIMIT_FSIZE, &limit);
  old_soft_limit_ = limit.rlim_cur;
  old_handler_ = ::signal(SIGXFSZ, SIG_IGN);
  limit.rlim_cur = bytes;
  if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) throw std::runtime_error("setrlimit failed");
}

FileSizeLimit::~FileSizeLimit() {
  struct rlimit limit {};
  ::getrlimit(RLIMIT_FSIZE, &limit);
  limit.rlim_cur = old_soft_limit_;
  ::setrlimit(RLIMIT_FSIZE, &limit);
  ::signal(SIGXFSZ, old_handler_);
}

}  // namespace quillory::testing
