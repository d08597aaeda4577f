#include "readme/markdown_arena.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace quillory {
namespace {

// Blocks keep their bytes through every way of growing: in place as the newest, moved when another
// came after, from a chunk into the system's memory and on there; what is freed as the newest is given
// out again; libcmark-gfm's calloc clears what it hands out even there.
TEST(MarkdownArena, BlocksKeepTheirBytesAsTheyGrowAndTheNewestIsReused) {
  MarkdownArena arena;
  const std::string text(100, 'a');
  auto fill = [](void* block, const std::string& with) {
    return std::memcpy(block, with.data(), with.size());
  };
  auto holds = [](const void* block, const std::string& text) {
    return std::memcmp(block, text.data(), text.size()) == 0;
  };

  void* first = fill(arena.Allocate(100), text);
  void* grown = arena.Grow(first, 1000);
  EXPECT_EQ(grown, first);  // the newest grows where it stands
  EXPECT_TRUE(holds(grown, text));

  void* second = fill(arena.Allocate(10), std::string(10, 'b'));
  void* moved = arena.Grow(grown, 5000);
  EXPECT_NE(moved, grown);
  EXPECT_TRUE(holds(moved, text));
  EXPECT_TRUE(holds(second, std::string(10, 'b')));

  void* large = arena.Grow(moved, size_t{3} << 20);
  EXPECT_TRUE(holds(large, text));
  large = arena.Grow(large, size_t{9} << 20);
  EXPECT_TRUE(holds(large, text));
  arena.Free(large);

  void* newest = fill(arena.Allocate(64), std::string(64, 'c'));
  arena.Free(newest);
  cmark_mem* mem = MarkdownArena::mem();
  auto* cleared = static_cast<unsigned char*>(mem->calloc(8, 8));
  EXPECT_EQ(static_cast<void*>(cleared), newest);
  for (int i = 0; i < 64; ++i) EXPECT_EQ(cleared[i], 0) << i;
  mem->free(cleared);
}

}  // namespace
}  // namespace quillory
