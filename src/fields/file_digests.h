#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <string>

#include "fields/md5.h"
#include "fields/sha256.h"

namespace quillory {

// Both digests of one file.
struct FileDigests {
  Md5Digest md5;
  Sha256Digest sha256;
  std::uint64_t length = 0;  // the bytes read
};

// Fills block with up to size bytes of the input; returns the count, 0 at the end. Raises on failure.
using BlockReader = std::function<std::size_t(unsigned char* block, std::size_t size)>;

// Raised by Md5AndSha256OfFile when its progress callback asks it to stop.
class DigestsCancelled : public std::exception {
 public:
  const char* what() const noexcept override { return "Digests cancelled"; }
};

// The MD5 and the SHA-256 of a file, read once: each block read is digested by two threads at the same
// time while the next blocks are read. progress is called on the calling thread, told the bytes both
// digests have taken so far. Raises "Cannot open file "%s". %s" when the file cannot be opened or read,
// and DigestsCancelled when progress returns false; no thread outlives the call either way.
FileDigests Md5AndSha256OfFile(const std::string& path, const Md5Progress& progress = {});

// The same for any input, read block by block with read_block (whose errors pass through); total is the
// expected length for progress, 0 when unknown.
FileDigests Md5AndSha256OfBlocks(const BlockReader& read_block, std::uint64_t total = 0,
                                 const Md5Progress& progress = {});

}  // namespace quillory
