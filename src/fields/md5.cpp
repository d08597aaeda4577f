#include "fields/md5.h"

#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <utility>

namespace quillory {
namespace {

// The additive constants: the integer part of 2^32 * |sin(i + 1)|.
constexpr std::array<std::uint32_t, 64> kSine = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391,
};

// The left rotation of each step: four per round, repeated four times.
constexpr std::array<int, 16> kShift = {7, 12, 17, 22, 5, 9, 14, 20, 4, 11, 16, 23, 6, 10, 15, 21};

// Which word of the block step i takes.
constexpr std::size_t WordIndex(std::size_t i) {
  switch (i / 16) {
    case 0:
      return i;
    case 1:
      return (5 * i + 1) % 16;
    case 2:
      return (3 * i + 5) % 16;
    default:
      return (7 * i) % 16;
  }
}

inline std::uint32_t LoadLe32(const unsigned char* p) {
  std::uint32_t word;
  std::memcpy(&word, p, sizeof word);
  if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap32(word);
  return word;
}

inline void StoreLe32(unsigned char* p, std::uint32_t word) {
  if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap32(word);
  std::memcpy(p, &word, sizeof word);
}

// Step i of the 64. The four words take turns as a, b, c, d; b is always the word the previous step
// produced, so it is the one that arrives last. Every term that does not depend on b is added first, which
// leaves as few operations as possible on the chain from one step to the next.
template <std::size_t i>
[[gnu::always_inline]] inline void Step(std::uint32_t (&v)[4], const unsigned char* block) {
  constexpr std::size_t a = (64 - i) % 4, b = (a + 1) % 4, c = (a + 2) % 4, d = (a + 3) % 4;
  std::uint32_t sum = v[a] + (kSine[i] + LoadLe32(block + 4 * WordIndex(i)));
  if constexpr (i < 16) {
    sum += v[d] ^ (v[b] & (v[c] ^ v[d]));  // F: (b & c) | (~b & d)
  } else if constexpr (i < 32) {
    sum += v[c] & ~v[d];  // G: (b & d) | (c & ~d); the two halves share no bit, so they add
    sum += v[b] & v[d];
  } else if constexpr (i < 48) {
    sum += v[b] ^ (v[c] ^ v[d]);  // H
  } else {
    sum += v[c] ^ (v[b] | ~v[d]);  // I
  }
  v[a] = v[b] + std::rotl(sum, kShift[(i / 16) * 4 + i % 4]);
}

template <std::size_t... i>
[[gnu::always_inline]] inline void AllSteps(std::uint32_t (&v)[4], const unsigned char* block,
                                            std::index_sequence<i...>) {
  (Step<i>(v, block), ...);
}

// Runs the compression function over blocks whole 64-byte blocks at data. The words stay in scalar
// registers from block to block: the final additions written over arrays would invite the vectoriser,
// whose shuffles lengthen the chain between blocks.
void ProcessBlocks(std::array<std::uint32_t, 4>& state, const unsigned char* data, std::size_t blocks) {
  std::uint32_t v[4] = {state[0], state[1], state[2], state[3]};
  for (; blocks > 0; --blocks, data += 64) {
    const std::uint32_t a = v[0], b = v[1], c = v[2], d = v[3];
    AllSteps(v, data, std::make_index_sequence<64>{});
    v[0] += a;
    v[1] += b;
    v[2] += c;
    v[3] += d;
  }
  state[0] = v[0];
  state[1] = v[1];
  state[2] = v[2];
  state[3] = v[3];
}

std::uint64_t BitCount(const Md5Context& context) {
  return (std::uint64_t{context.bit_count[1]} << 32) | context.bit_count[0];
}

}  // namespace

void Md5Start(Md5Context& context) {
  context.state = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};
  context.bit_count = {0, 0};
  context.buffer.fill(0);
}

void Md5Add(Md5Context& context, const void* data, std::size_t length) {
  if (length == 0) return;  // data may then be null, which memcpy must never be given
  auto* in = static_cast<const unsigned char*>(data);
  const std::uint64_t bits = BitCount(context);
  std::size_t used = static_cast<std::size_t>(bits >> 3) & 63;
  const std::uint64_t new_bits = bits + (static_cast<std::uint64_t>(length) << 3);
  context.bit_count = {static_cast<std::uint32_t>(new_bits), static_cast<std::uint32_t>(new_bits >> 32)};

  if (used > 0) {
    const std::size_t take = std::min(64 - used, length);
    std::memcpy(context.buffer.data() + used, in, take);
    in += take;
    length -= take;
    if (used + take < 64) return;
    ProcessBlocks(context.state, context.buffer.data(), 1);
  }
  const std::size_t blocks = length / 64;
  if (blocks > 0) ProcessBlocks(context.state, in, blocks);
  if (length % 64 > 0) std::memcpy(context.buffer.data(), in + blocks * 64, length % 64);
}

Md5Digest Md5Finish(Md5Context& context) {
  const std::uint64_t bits = BitCount(context);
  std::size_t used = static_cast<std::size_t>(bits >> 3) & 63;
  unsigned char* buffer = context.buffer.data();
  buffer[used++] = 0x80;
  if (used > 56) {
    std::memset(buffer + used, 0, 64 - used);
    ProcessBlocks(context.state, buffer, 1);
    used = 0;
  }
  std::memset(buffer + used, 0, 56 - used);
  StoreLe32(buffer + 56, static_cast<std::uint32_t>(bits));
  StoreLe32(buffer + 60, static_cast<std::uint32_t>(bits >> 32));
  ProcessBlocks(context.state, buffer, 1);

  Md5Digest digest;
  for (std::size_t k = 0; k < 4; ++k) StoreLe32(digest.data() + 4 * k, context.state[k]);
  ::explicit_bzero(&context, sizeof context);
  return digest;
}

}  // namespace quillory
