// The command-line program's operator new: blocks of 2 MiB or more are backed by transparent huge pages.
//
// A big document passes through a few blocks as large as itself (the bytes read, the restored text, the
// output). Filled page by page, each 64 MiB block costs 16,384 page faults; asking for huge pages before
// the block is first touched brings that down to 32. Where the kernel gives huge pages only on request
// (the "madvise" setting), nothing else asks for them, so the request is made here. Every block still
// comes from the malloc family and goes back through free, so the default operator delete stays right.
// This file is linked into the quillory-cli executable only.
#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <new>

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

// A block of at least kHugePage bytes, aligned to a huge page and rounded up to whole huge pages, with
// huge pages asked for before anything touches it (the advice is a hint: when the kernel refuses, the block
// keeps small pages). malloc's own large blocks start just after a small header and end anywhere, so their
// first and last 2 MiB would still be filled page by page. Returns nullptr when there is no memory.
void* AllocateHuge(std::size_t size) {
  const std::size_t rounded = (size + kHugePage - 1) & ~(kHugePage - 1);
  if (rounded < size) return nullptr;
  void* block = nullptr;
  if (::posix_memalign(&block, kHugePage, rounded) != 0) return nullptr;
  ::madvise(block, rounded, MADV_HUGEPAGE);
  return block;
}

void* Allocate(std::size_t size) {
  if (size == 0) size = 1;
  for (;;) {
    if (void* block = size >= kHugePage ? AllocateHuge(size) : std::malloc(size)) return block;
    std::new_handler handler = std::get_new_handler();
    if (handler == nullptr) throw std::bad_alloc();
    handler();
  }
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(size);
  } catch (...) {
    return nullptr;
  }
}
