#include "fields/file_blocks.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>

#include <cerrno>
#include <memory>

#include "common/error.h"
#include "text/file_access.h"

namespace quillory {

bool ReadFileBlocks(const std::string& path, const ReadProgress& progress, Readable readable,
                    const std::function<void(const unsigned char* data, std::size_t length)>& add) {
  // A FIFO is opened without waiting for a writer (OpenToRead), so a progress call can always stop it.
  OpenedFile file = OpenToRead(path, readable);
  const int fd = file.fd.get();
  const std::uint64_t total = S_ISREG(file.info.st_mode) ? static_cast<std::uint64_t>(file.info.st_size) : 0;
  ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);

  // Large enough that a system call costs next to nothing beside the digest of its block.
  constexpr std::size_t kBlockSize = std::size_t{1} << 20;
  // How long a read may wait for data (a pipe or device) before progress is asked again.
  constexpr int kProgressWaitMilliseconds = 50;
  const auto block = std::make_unique_for_overwrite<unsigned char[]>(kBlockSize);
  std::uint64_t done = 0;
  auto go_on = [&] { return !progress || progress(done, total); };
  if (!go_on()) return false;
  for (;;) {
    pollfd waiting{fd, POLLIN, 0};
    const int ready = ::poll(&waiting, 1, progress ? kProgressWaitMilliseconds : -1);
    if (ready < 0 && errno != EINTR) throw CannotOpenFile(path, errno);
    if (ready <= 0) {
      if (!go_on()) return false;
      continue;
    }
    const ssize_t got = ReadSome(fd, block.get(), kBlockSize);
    if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) continue;
    if (got < 0) throw CannotOpenFile(path, errno);
    if (got == 0) return true;
    add(block.get(), static_cast<std::size_t>(got));
    done += static_cast<std::uint64_t>(got);
    if (!go_on()) return false;
  }
}

}  // namespace quillory
