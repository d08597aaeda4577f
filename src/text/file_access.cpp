#include "text/file_access.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <new>

namespace quillory {
namespace {

// The most one read or write call is asked to move: large enough that the call itself costs nothing.
constexpr size_t kMaxTransfer = size_t{1} << 30;
// The most one read into a string is asked to move. The string's room is zero-filled before the read
// overwrites it, and a step this small keeps those bytes in the cache until then.
constexpr size_t kReadStep = size_t{1} << 20;

}  // namespace

ssize_t ReadSome(int fd, void* buffer, size_t size) {
  for (;;) {
    const ssize_t got = ::read(fd, buffer, std::min(size, kMaxTransfer));
    if (got >= 0 || errno != EINTR) return got;
  }
}

int ReadAll(int fd, std::string& out, size_t size_hint, size_t limit) {
  const size_t start = out.size();
  try {
    // Room for the expected length and one byte more, so that the end is seen without growing the string.
    if (size_hint > 0 && size_hint < limit) out.reserve(out.size() + size_hint + 1);
    for (;;) {
      if (out.capacity() == out.size()) {
        size_t wanted = std::max<size_t>(out.size() * 2, 1 << 16);
        // Never more room than the limit needs: one byte past it is enough to see that it was passed.
        if (limit != std::string::npos) wanted = std::min(wanted, std::max(limit + 1, out.size() + 1));
        out.reserve(wanted);
      }
      const size_t old_size = out.size();
      size_t room = out.capacity() - old_size;
      if (limit != std::string::npos) room = std::min(room, limit + 1 - std::min(limit, old_size));
      // A step at a time, so that the zero-fill of the room (resize_and_overwrite, which would skip it,
      // is C++23) stays in the cache for the read that follows.
      room = std::min(room, kReadStep);
      out.resize(old_size + room);
      const ssize_t got = ReadSome(fd, out.data() + old_size, room);
      if (got < 0) {
        const int error = errno;
        out.resize(old_size);
        return error;
      }
      out.resize(old_size + static_cast<size_t>(got));
      if (out.size() > limit) return EFBIG;
      if (got == 0) return 0;
    }
  } catch (const std::bad_alloc&) {
    out.resize(std::min(out.size(), start));
    return ENOMEM;
  }
}

int WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t written = ::write(fd, data.data(), std::min(data.size(), kMaxTransfer));
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (written == 0) return ENOSPC;
    data.remove_prefix(static_cast<size_t>(written));
  }
  return 0;
}

int WriteAllAt(int fd, std::string_view data, off_t offset) {
  while (!data.empty()) {
    const ssize_t written = ::pwrite(fd, data.data(), std::min(data.size(), kMaxTransfer), offset);
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

}  // namespace quillory
