#include "fields/sha256.h"

#include <fcntl.h>
#include <openssl/evp.h>
#include <sys/stat.h>

#include <cerrno>
#include <memory>

#include "common/error.h"
#include "fields/file_blocks.h"
#include "fields/sha256_context.h"

namespace quillory {

Sha256Context::Sha256Context() : context_(EVP_MD_CTX_new()) {
  if (context_ == nullptr || EVP_DigestInit_ex(context_, EVP_sha256(), nullptr) != 1) {
    EVP_MD_CTX_free(context_);
    throw Error("SHA-256 is not available");
  }
}

Sha256Context::~Sha256Context() { EVP_MD_CTX_free(context_); }

void Sha256Context::Add(const void* data, std::size_t length) {
  if (length > 0 && EVP_DigestUpdate(context_, data, length) != 1) throw Error("SHA-256 is not available");
}

Sha256Digest Sha256Context::Finish() {
  Sha256Digest digest{};
  unsigned int size = 0;
  if (EVP_DigestFinal_ex(context_, digest.data(), &size) != 1 || size != digest.size()) {
    throw Error("SHA-256 is not available");
  }
  return digest;
}

Sha256Digest Sha256Of(const void* data, std::size_t length) {
  Sha256Context context;
  context.Add(data, length);
  return context.Finish();
}

Sha256Digest Sha256OfFile(const std::string& path, const Md5Progress& progress, Readable readable) {
  Sha256Context context;
  const bool whole = ReadFileBlocks(path, progress, readable,
                                    [&](const unsigned char* data, std::size_t n) { context.Add(data, n); });
  if (!whole) throw Sha256Cancelled();
  return context.Finish();
}

std::string Sha256ToText(const Sha256Digest& digest) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  text.reserve(64);
  for (std::uint8_t byte : digest) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0x0f];
  }
  return text;
}

}  // namespace quillory
