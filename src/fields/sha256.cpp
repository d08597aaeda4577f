#include "fields/sha256.h"

#include <fcntl.h>
#include <openssl/evp.h>
#include <sys/stat.h>

#include <cerrno>
#include <memory>

#include "common/error.h"
#include "fields/sha256_context.h"
#include "text/file_access.h"
#include "text/file_io.h"

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
  OpenedFile file = OpenToRead(path, readable);
  const int fd = file.fd.get();
  const std::uint64_t total =
      S_ISREG(file.info.st_mode) ? static_cast<std::uint64_t>(file.info.st_size) : 0;
  ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);

  constexpr std::size_t kBlockSize = std::size_t{1} << 20;
  const auto block = std::make_unique_for_overwrite<unsigned char[]>(kBlockSize);
  Sha256Context context;
  std::uint64_t done = 0;
  for (;;) {
    const ssize_t got = ReadSome(fd, block.get(), kBlockSize);
    if (got < 0) throw CannotOpenFile(path, errno);
    if (got == 0) break;
    context.Add(block.get(), static_cast<std::size_t>(got));
    done += static_cast<std::uint64_t>(got);
    if (progress && !progress(done, total)) throw Sha256Cancelled();
  }
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
