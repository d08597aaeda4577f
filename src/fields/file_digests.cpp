#include "fields/file_digests.h"

#include <algorithm>
#include <array>
#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

namespace quillory {
namespace {

// Large enough that a read costs next to nothing beside the digests of its block.
constexpr std::size_t kBlockSize = std::size_t{1} << 20;
// Blocks in flight: the reader stays ahead of the slowest digest.
constexpr std::size_t kSlots = 4;

// Where the blocks read go, for the one loop that reads them.
class BlockSink {
 public:
  virtual ~BlockSink() = default;
  // The room for the next block (kBlockSize bytes); nullptr once a digest has failed.
  virtual unsigned char* NextFree() = 0;
  // The block NextFree gave holds length bytes; 0 marks the end of the input.
  virtual void Publish(std::size_t length) = 0;
  // The bytes every digest has taken.
  virtual std::uint64_t Taken() = 0;
  // Waits until every digest has taken every block, and raises what a digest raised.
  virtual void Finish() = 0;
};

// One block at a time, digested on the calling thread as soon as it is read.
class DigestsInLine final : public BlockSink {
 public:
  explicit DigestsInLine(std::vector<std::unique_ptr<Digester>>& digesters)
      : digesters_(digesters), block_(std::make_unique_for_overwrite<unsigned char[]>(kBlockSize)) {}
  unsigned char* NextFree() override { return block_.get(); }
  void Publish(std::size_t length) override {
    for (auto& digester : digesters_) digester->Add(block_.get(), length);
    taken_ += length;
  }
  std::uint64_t Taken() override { return taken_; }
  void Finish() override {}

 private:
  std::vector<std::unique_ptr<Digester>>& digesters_;
  std::unique_ptr<unsigned char[]> block_;
  std::uint64_t taken_ = 0;
};

// A ring of blocks that the reader fills and each digest, on a thread of its own, takes at its own pace. A
// slot is filled again only when every digest is done with it. The destructor stops the threads and joins
// them, so that a failure on the reader's side never leaves one running.
class DigestRing final : public BlockSink {
 public:
  explicit DigestRing(std::vector<std::unique_ptr<Digester>>& digesters)
      : consumed_(digesters.size(), 0), failures_(digesters.size()) {
    for (auto& slot : slots_) slot.bytes = std::make_unique_for_overwrite<unsigned char[]>(kBlockSize);
    try {
      for (std::size_t d = 0; d < digesters.size(); ++d) {
        threads_.emplace_back([this, d, digester = digesters[d].get()] { Digest(d, *digester); });
      }
    } catch (...) {
      StopAndJoin();
      throw;
    }
  }
  ~DigestRing() override { StopAndJoin(); }

  unsigned char* NextFree() override {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return stopped_ || published_ - finished_blocks_ < kSlots; });
    return stopped_ ? nullptr : slots_[published_ % kSlots].bytes.get();
  }

  void Publish(std::size_t length) override {
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

  std::uint64_t Taken() override {
    const std::lock_guard lock(mutex_);
    return finished_bytes_;
  }

  void Finish() override {
    for (auto& thread : threads_) thread.join();
    for (const auto& failure : failures_) {
      if (failure) std::rethrow_exception(failure);
    }
  }

 private:
  struct Slot {
    std::unique_ptr<unsigned char[]> bytes;
    std::size_t length = 0;
  };

  // The work of the thread of digest d.
  void Digest(std::size_t d, Digester& digester) {
    try {
      for (;;) {
        const Slot* slot = nullptr;
        {
          std::unique_lock lock(mutex_);
          changed_.wait(lock, [&] { return stopped_ || ended_ || consumed_[d] < published_; });
          if (stopped_ || consumed_[d] == published_) return;
          slot = &slots_[consumed_[d] % kSlots];
        }
        digester.Add(slot->bytes.get(), slot->length);
        {
          const std::lock_guard lock(mutex_);
          ++consumed_[d];
          const std::uint64_t slowest = *std::min_element(consumed_.begin(), consumed_.end());
          for (; finished_blocks_ < slowest; ++finished_blocks_) {
            finished_bytes_ += slots_[finished_blocks_ % kSlots].length;
          }
        }
        changed_.notify_all();
      }
    } catch (...) {
      failures_[d] = std::current_exception();
      Stop();
    }
  }

  void Stop() {
    {
      const std::lock_guard lock(mutex_);
      stopped_ = true;
    }
    changed_.notify_all();
  }

  void StopAndJoin() {
    Stop();
    for (auto& thread : threads_) {
      if (thread.joinable()) thread.join();
    }
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  std::array<Slot, kSlots> slots_;
  std::uint64_t published_ = 0;
  std::vector<std::uint64_t> consumed_;  // blocks each digest is done with
  std::uint64_t finished_blocks_ = 0;    // blocks every digest is done with
  std::uint64_t finished_bytes_ = 0;     // their bytes
  bool ended_ = false;
  bool stopped_ = false;
  std::vector<std::exception_ptr> failures_;
  std::vector<std::thread> threads_;
};

}  // namespace

DigestResults DigestAll(InputSource& input, std::span<const DigestAlgorithm* const> algorithms,
                        const ReadProgress& progress) {
  std::vector<std::unique_ptr<Digester>> digesters;
  for (const DigestAlgorithm* algorithm : algorithms) digesters.push_back(algorithm->NewDigester());
  std::unique_ptr<BlockSink> sink;
  if (digesters.size() > 1) {
    sink = std::make_unique<DigestRing>(digesters);
  } else {
    sink = std::make_unique<DigestsInLine>(digesters);
  }

  const std::uint64_t total = input.length();
  std::function<bool()> go_on;  // asked while a read waits for data
  if (progress) go_on = [&] { return progress(sink->Taken(), total); };
  std::uint64_t reported = 0;
  auto report = [&](bool always) {
    if (!progress) return;
    const std::uint64_t taken = sink->Taken();
    if (!always && taken == reported) return;
    reported = taken;
    if (!progress(taken, total)) throw ReadCancelled();
  };

  DigestResults results;
  report(true);
  for (;;) {
    unsigned char* block = sink->NextFree();
    if (block == nullptr) break;  // a digest failed: Finish raises its failure
    const std::size_t got = input.ReadBlock(block, kBlockSize, go_on);
    sink->Publish(got);
    if (got == 0) break;
    results.length += got;
    report(false);
  }
  sink->Finish();
  report(false);
  for (auto& digester : digesters) results.digests.push_back(digester->Finish());
  return results;
}

std::string DigestFieldTextOfFile(const DigestAlgorithm& algorithm, const std::string& path,
                                  const ReadProgress& progress, Readable readable) {
  InputSource input = InputSource::Open(path, readable);
  const DigestAlgorithm* const one[] = {&algorithm};
  return FieldText(algorithm, DigestAll(input, one, progress).digests.front());
}

}  // namespace quillory
