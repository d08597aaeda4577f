#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace quillory {

// The MD5 message digest of RFC 1321: 16 bytes in the RFC's byte order. fields/digest.h offers it beside
// the other digests.
using Md5Digest = std::array<std::uint8_t, 16>;

// The running state of one digest.
struct Md5Context {
  std::array<std::uint32_t, 4> state;      // the chaining words A, B, C, D
  std::array<std::uint32_t, 2> bit_count;  // bits added so far, modulo 2^64: low word first
  std::array<std::uint8_t, 64> buffer;     // the bytes of an incomplete block
};

// Sets the context to the initial state of RFC 1321: no bytes added.
void Md5Start(Md5Context& context);

// Adds length bytes at data to the digest. Whole blocks are taken straight from data; the rest waits in
// the buffer. How the input is split across calls does not change the digest.
void Md5Add(Md5Context& context, const void* data, std::size_t length);

// Pads the input, returns its digest and wipes the whole context to zero bytes.
Md5Digest Md5Finish(Md5Context& context);

}  // namespace quillory
