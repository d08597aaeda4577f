#include "fields/digest.h"

#include <openssl/evp.h>

#include "common/error.h"
#include "fields/md5.h"

namespace quillory {
namespace {

class Md5Digester final : public Digester {
 public:
  Md5Digester() { Md5Start(context_); }
  void Add(const void* data, std::size_t length) override { Md5Add(context_, data, length); }
  std::vector<std::uint8_t> Finish() override {
    const Md5Digest digest = Md5Finish(context_);
    return {digest.begin(), digest.end()};
  }

 private:
  Md5Context context_;
};

// A digest of the crypto library; its type stays out of every header.
class EvpDigester final : public Digester {
 public:
  EvpDigester(const EVP_MD* kind, std::string_view title) : context_(EVP_MD_CTX_new()), title_(title) {
    if (context_ == nullptr || kind == nullptr || EVP_DigestInit_ex(context_, kind, nullptr) != 1) {
      EVP_MD_CTX_free(context_);
      throw Unavailable();
    }
  }
  ~EvpDigester() override { EVP_MD_CTX_free(context_); }
  EvpDigester(const EvpDigester&) = delete;
  EvpDigester& operator=(const EvpDigester&) = delete;

  void Add(const void* data, std::size_t length) override {
    if (length > 0 && EVP_DigestUpdate(context_, data, length) != 1) throw Unavailable();
  }
  std::vector<std::uint8_t> Finish() override {
    std::vector<std::uint8_t> digest(EVP_MAX_MD_SIZE);
    unsigned int size = 0;
    if (EVP_DigestFinal_ex(context_, digest.data(), &size) != 1) throw Unavailable();
    digest.resize(size);
    return digest;
  }

 private:
  Error Unavailable() const { return Error(std::string(title_) + " is not available"); }

  EVP_MD_CTX* context_;
  std::string_view title_;
};

std::unique_ptr<Digester> MakeMd5(std::string_view) { return std::make_unique<Md5Digester>(); }

template <const EVP_MD* (*kKind)()>
std::unique_ptr<Digester> MakeEvp(std::string_view title) {
  return std::make_unique<EvpDigester>(kKind(), title);
}

constexpr DigestAlgorithm kAlgorithms[] = {
    {"md5", "MD5", &MakeMd5, HexCase::kUpper},
    {"sha256", "SHA-256", &MakeEvp<EVP_sha256>, HexCase::kLower},
};

}  // namespace

std::span<const DigestAlgorithm> DigestAlgorithms() { return kAlgorithms; }

const DigestAlgorithm* FindDigestAlgorithm(std::string_view name) {
  for (const DigestAlgorithm& algorithm : kAlgorithms) {
    if (algorithm.name == name) return &algorithm;
  }
  return nullptr;
}

std::string HexText(std::span<const std::uint8_t> bytes, HexCase letter_case) {
  const char* digits = letter_case == HexCase::kUpper ? "0123456789ABCDEF" : "0123456789abcdef";
  std::string text;
  text.reserve(2 * bytes.size());
  for (std::uint8_t byte : bytes) {
    text += digits[byte >> 4];
    text += digits[byte & 0x0f];
  }
  return text;
}

std::string FieldText(const DigestAlgorithm& algorithm, std::span<const std::uint8_t> digest) {
  return HexText(digest, algorithm.field_case);
}

std::vector<std::uint8_t> DigestOf(const DigestAlgorithm& algorithm, const void* data, std::size_t length) {
  const std::unique_ptr<Digester> digester = algorithm.NewDigester();
  digester->Add(data, length);
  return digester->Finish();
}

}  // namespace quillory
