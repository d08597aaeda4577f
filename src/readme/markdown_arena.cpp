#include "readme/markdown_arena.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace quillory {
namespace {

constexpr size_t kChunkSize = size_t{8} << 20;
constexpr size_t kLarge = size_t{1} << 20;
// Every block starts with a header: its size, and for a large block its index in large_ with the top
// bit set. Sizes are rounded up to the header's alignment.
constexpr size_t kHeader = 16;
constexpr size_t kLargeBit = size_t{1} << 63;

thread_local MarkdownArena* current = nullptr;

// Chunks of arenas gone, kept for the next ones: fresh memory costs a page fault for every page.
constexpr size_t kSpareChunks = 4;
struct SpareChunks {
  std::vector<char*> chunks;
  ~SpareChunks() {
    for (char* chunk : chunks) std::free(chunk);
  }
};
thread_local SpareChunks spare;

// What libcmark-gfm's own allocator does when memory runs out: the library cannot unwind.
[[noreturn]] void OutOfMemory() {
  std::fputs("quillory: out of memory\n", stderr);
  std::abort();
}

size_t Rounded(size_t size) { return (size + kHeader - 1) & ~(kHeader - 1); }

size_t* HeaderOf(void* block) { return reinterpret_cast<size_t*>(static_cast<char*>(block) - kHeader); }

void* ArenaCalloc(size_t count, size_t size) {
  if (size != 0 && count > SIZE_MAX / 2 / size) OutOfMemory();
  void* block = current->Allocate(count * size);
  std::memset(block, 0, count * size);
  return block;
}

void* ArenaRealloc(void* block, size_t size) { return current->Grow(block, size); }

void ArenaFree(void* block) {
  if (block != nullptr) current->Free(block);
}

cmark_mem kArenaMem = {ArenaCalloc, ArenaRealloc, ArenaFree};

}  // namespace

MarkdownArena::MarkdownArena() : previous_(current) { current = this; }

MarkdownArena::~MarkdownArena() {
  for (const Chunk& chunk : chunks_) {
    if (spare.chunks.size() < kSpareChunks) {
      spare.chunks.push_back(chunk.data);
    } else {
      std::free(chunk.data);
    }
  }
  for (void* block : large_) std::free(block);
  current = previous_;
}

cmark_mem* MarkdownArena::mem() { return &kArenaMem; }

void MarkdownArena::ReleaseSpareChunks() {
  for (char* chunk : spare.chunks) std::free(chunk);
  spare.chunks.clear();
}

void* MarkdownArena::Allocate(size_t size) {
  if (size >= kLarge) {
    if (size > SIZE_MAX / 2) OutOfMemory();
    auto* base = static_cast<size_t*>(std::malloc(kHeader + size));
    if (base == nullptr) OutOfMemory();
    large_.push_back(base);
    base[0] = size;
    base[1] = kLargeBit | (large_.size() - 1);
    return reinterpret_cast<char*>(base) + kHeader;
  }
  const size_t needed = kHeader + Rounded(size);
  if (chunks_.empty() || chunks_.back().size - chunks_.back().used < needed) {
    char* data = nullptr;
    if (!spare.chunks.empty()) {
      data = spare.chunks.back();
      spare.chunks.pop_back();
    } else if ((data = static_cast<char*>(std::malloc(kChunkSize))) == nullptr) {
      OutOfMemory();
    }
    chunks_.push_back({data, 0, kChunkSize});
  }
  Chunk& chunk = chunks_.back();
  auto* header = reinterpret_cast<size_t*>(chunk.data + chunk.used);
  header[0] = size;
  header[1] = 0;
  chunk.used += needed;
  return reinterpret_cast<char*>(header) + kHeader;
}

void* MarkdownArena::Grow(void* block, size_t size) {
  if (block == nullptr) return Allocate(size);
  size_t* header = HeaderOf(block);
  if ((header[1] & kLargeBit) == 0 && Rounded(size) <= Rounded(header[0])) {
    header[0] = size;
    return block;
  }
  if ((header[1] & kLargeBit) != 0) {
    const size_t index = header[1] & ~kLargeBit;
    auto* base = static_cast<size_t*>(std::realloc(header, kHeader + size));
    if (base == nullptr) OutOfMemory();
    large_[index] = base;
    base[0] = size;
    return reinterpret_cast<char*>(base) + kHeader;
  }
  const size_t old_size = header[0];
  Chunk& chunk = chunks_.back();
  const bool newest = static_cast<char*>(block) + Rounded(old_size) == chunk.data + chunk.used;
  if (newest && size < kLarge && Rounded(size) - Rounded(old_size) <= chunk.size - chunk.used) {
    chunk.used += Rounded(size) - Rounded(old_size);
    header[0] = size;
    return block;
  }
  void* grown = Allocate(size);
  std::memcpy(grown, block, old_size < size ? old_size : size);
  Free(block);
  return grown;
}

void MarkdownArena::Free(void* block) {
  size_t* header = HeaderOf(block);
  if ((header[1] & kLargeBit) != 0) {
    void*& slot = large_[header[1] & ~kLargeBit];
    std::free(slot);
    slot = nullptr;
    return;
  }
  Chunk& chunk = chunks_.back();
  if (static_cast<char*>(block) + Rounded(header[0]) == chunk.data + chunk.used) {
    chunk.used -= kHeader + Rounded(header[0]);
  }
}

}  // namespace quillory
