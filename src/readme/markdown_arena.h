#pragma once

// Memory for one Markdown document in libcmark-gfm: the parser, the tree, the rewrite and the writer all
// allocate from it, and it releases everything at once, without walking the tree.

#include <cmark-gfm.h>

#include <vector>

namespace quillory {

// While it lives (and is the newest on its thread), mem() hands out blocks from large chunks, laid out
// in the order they are asked for; a block freed or grown while it is the newest is given back or grown
// in place, and blocks of 1 MiB or more come from the system and go back to it when freed. Everything
// left goes when the arena goes. Ends the program when memory runs out, as libcmark-gfm does.
class MarkdownArena {
 public:
  MarkdownArena();
  ~MarkdownArena();
  MarkdownArena(const MarkdownArena&) = delete;
  MarkdownArena& operator=(const MarkdownArena&) = delete;

  // The allocator to give libcmark-gfm (the same for every arena: it serves the thread's newest one).
  static cmark_mem* mem();

  // Gives back the chunks the thread keeps from arenas gone, for the next ones.
  static void ReleaseSpareChunks();

  // A block of size bytes (not cleared).
  void* Allocate(size_t size);
  // block (from Allocate or Grow, or nullptr) holding size bytes, its bytes kept up to the smaller size.
  void* Grow(void* block, size_t size);
  // Gives block back where it can (the newest, or a large one); the others go with the arena.
  void Free(void* block);

 private:
  struct Chunk {
    char* data;
    size_t used;
    size_t size;
  };
  std::vector<Chunk> chunks_;
  std::vector<void*> large_;  // blocks from the system, nullptr once freed
  MarkdownArena* previous_;
};

}  // namespace quillory
