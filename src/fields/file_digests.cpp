#include "fields/file_digests.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <array>
#include <cerrno>
#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "common/error.h"
#include "fields/sha256_context.h"
#include "text/file_access.h"

namespace quillory {
namespace {

constexpr std::size_t kBlockSize = std::size_t{1} << 20;
constexpr std::size_t kSlots = 4;  // blocks in flight: the reader stays ahead of the slower digest

// A ring of blocks that one reader fills and two digesters consume, each at its own pace. A slot is
// refilled only when both digesters have finished with it.
class BlockRing {
 public:
  static constexpr int kDigesters = 2;

  BlockRing() {
    for (auto& slot : slots_) slot.bytes = std::make_unique_for_overwrite<unsigned char[]>(kBlockSize);
  }

  // For the reader: the slot of the next block, once both digesters are done with it; nullptr when
  // the work is stopped.
  unsigned char* NextFree() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return stopped_ || published_ - Slowest() < kSlots; });
    return stopped_ ? nullptr : slots_[published_ % kSlots].bytes.get();
  }

  // For the reader: the block just filled holds length bytes; 0 marks the end of the file.
  void Publish(std::size_t length) {
    {
      const std::lock_guard lock(mutex_);
      if (length == 0) {
        ended_ = true;
      } else {
        slots_[published_ % kSlots].length = length;
        ++published_;
      }
    }
    changed_.notify_all();
  }

  // For digester d: the next block and its length, or {nullptr, 0} at the end or after a stop.
  std::pair<const unsigned char*, std::size_t> Take(int d) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return stopped_ || ended_ || consumed_[d] < published_; });
    if (stopped_ || consumed_[d] == published_) return {nullptr, 0};
    const Slot& slot = slots_[consumed_[d] % kSlots];
    return {slot.bytes.get(), slot.length};
  }

  // For digester d: done with the block Take gave it.
  void Release(int d) {
    {
      const std::lock_guard lock(mutex_);
      ++consumed_[d];
    }
    changed_.notify_all();
  }

  // Wakes everyone and makes every wait end.
  void Stop() {
    {
      const std::lock_guard lock(mutex_);
      stopped_ = true;
    }
    changed_.notify_all();
  }

  // The blocks both digesters have finished.
  std::uint64_t Finished() {
    const std::lock_guard lock(mutex_);
    return Slowest();
  }

 private:
  struct Slot {
    std::unique_ptr<unsigned char[]> bytes;
    std::size_t length = 0;
  };
  std::uint64_t Slowest() const { return std::min(consumed_[0], consumed_[1]); }

  std::mutex mutex_;
  std::condition_variable changed_;
  std::array<Slot, kSlots> slots_;
  std::uint64_t published_ = 0;
  std::array<std::uint64_t, kDigesters> consumed_{};
  bool ended_ = false;
  bool stopped_ = false;
};

// Runs work on a thread of its own; the destructor stops the ring and joins, so an exception on the
// reader's side never leaves a thread running. A failure inside work is kept for Rethrow.
class Digester {
 public:
  Digester(BlockRing& ring, std::function<void()> work)
      : ring_(ring), thread_([this, work = std::move(work)] {
          try {
            work();
          } catch (...) {
            failure_ = std::current_exception();
            ring_.Stop();
          }
        }) {}
  ~Digester() {
    if (thread_.joinable()) {
      ring_.Stop();
      thread_.join();
    }
  }
  void Join() { thread_.join(); }
  void Rethrow() const {
    if (failure_) std::rethrow_exception(failure_);
  }

 private:
  BlockRing& ring_;
  std::exception_ptr failure_;
  std::thread thread_;
};

}  // namespace

FileDigests Md5AndSha256OfFile(const std::string& path, const Md5Progress& progress) {
  OpenedFile file;
  if (int error = OpenForReading(path, file)) throw CannotOpenFile(path, error);
  const int fd = file.fd.get();
  const std::uint64_t total =
      S_ISREG(file.info.st_mode) ? static_cast<std::uint64_t>(file.info.st_size) : 0;
  ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
  return Md5AndSha256OfBlocks(
      [&](unsigned char* block, std::size_t size) {
        const ssize_t got = ReadSome(fd, block, size);
        if (got < 0) throw CannotOpenFile(path, errno);
        return static_cast<std::size_t>(got);
      },
      total, progress);
}

FileDigests Md5AndSha256OfBlocks(const BlockReader& read_block, std::uint64_t total,
                                 const Md5Progress& progress) {
  FileDigests digests{};
  Md5Context md5;
  Md5Start(md5);
  Sha256Context sha256;
  std::vector<std::size_t> lengths;  // of every block read, for the progress count

  BlockRing ring;
  auto consume = [&ring](int d, auto add) {
    return [&ring, d, add] {
      for (;;) {
        const auto [bytes, length] = ring.Take(d);
        if (bytes == nullptr) return;
        add(bytes, length);
        ring.Release(d);
      }
    };
  };
  Digester md5_thread(ring, consume(0, [&md5](const unsigned char* b, std::size_t n) { Md5Add(md5, b, n); }));
  Digester sha_thread(ring, consume(1, [&sha256](const unsigned char* b, std::size_t n) { sha256.Add(b, n); }));

  std::uint64_t reported_blocks = 0, reported_bytes = 0;
  auto report = [&](std::uint64_t finished) {
    for (; reported_blocks < finished; ++reported_blocks) reported_bytes += lengths[reported_blocks];
    if (progress && !progress(reported_bytes, total)) {
      ring.Stop();
      throw DigestsCancelled();
    }
  };
  for (;;) {
    unsigned char* block = ring.NextFree();
    if (block == nullptr) break;  // a digester failed
    std::size_t got = 0;
    try {
      got = read_block(block, kBlockSize);
    } catch (...) {
      ring.Stop();
      throw;
    }
    ring.Publish(got);
    if (got == 0) break;
    lengths.push_back(got);
    digests.length += got;
    // Report whenever both digests have finished another block since the last report.
    if (progress) {
      const std::uint64_t finished = ring.Finished();
      if (finished > reported_blocks) report(finished);
    }
  }
  md5_thread.Join();
  sha_thread.Join();
  md5_thread.Rethrow();
  sha_thread.Rethrow();
  if (progress) report(lengths.size());
  digests.md5 = Md5Finish(md5);
  digests.sha256 = sha256.Finish();
  return digests;
}

}  // namespace quillory
