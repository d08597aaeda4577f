#pragma once

#include <cstddef>

#include "fields/sha256.h"

struct evp_md_ctx_st;

namespace quillory {

// A running SHA-256 digest held by the crypto library; the library's type stays out of other headers.
class Sha256Context {
 public:
  // Starts an empty digest. Raises Error "SHA-256 is not available" when the library refuses.
  Sha256Context();
  ~Sha256Context();
  Sha256Context(const Sha256Context&) = delete;
  Sha256Context& operator=(const Sha256Context&) = delete;

  // Adds length bytes at data; how the input is split across calls does not change the digest.
  void Add(const void* data, std::size_t length);
  // The digest of everything added; the context is spent afterwards.
  Sha256Digest Finish();

 private:
  evp_md_ctx_st* context_;
};

}  // namespace quillory
