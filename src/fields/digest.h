#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillory {

// A running message digest: bytes go in, the digest comes out once.
class Digester {
 public:
  virtual ~Digester() = default;
  // Adds length bytes at data (which may be null when length is 0); how the input is split across calls
  // does not change the digest. Raises Error when the crypto library refuses.
  virtual void Add(const void* data, std::size_t length) = 0;
  // The digest of everything added; the digester is spent afterwards. Raises Error as Add does.
  virtual std::vector<std::uint8_t> Finish() = 0;
};

enum class HexCase { kLower, kUpper };

// A digest the program computes for a release file. Its name is the key of its fact in the project
// document and the name of its quillory-cli subcommand.
struct DigestAlgorithm {
  std::string_view name;   // "md5"
  std::string_view title;  // "MD5": the name people know it by
  std::unique_ptr<Digester> (*make)(std::string_view title);
  HexCase field_case;  // the letters of the hexadecimal text its field receives

  // A new digester. Raises Error "TITLE is not available" when the crypto library refuses.
  std::unique_ptr<Digester> NewDigester() const { return make(title); }
};

// Every digest, in the order the command line lists them: MD5 (the program's own, RFC 1321; its field
// text in upper case) and SHA-256 (the crypto library's; lower case, as sha256sum prints it).
std::span<const DigestAlgorithm> DigestAlgorithms();

// The digest called name, or nullptr.
const DigestAlgorithm* FindDigestAlgorithm(std::string_view name);

// The two hexadecimal digits of each byte, the high half first, in the case asked for.
std::string HexText(std::span<const std::uint8_t> bytes, HexCase letter_case);

// The text the digest's field receives for digest.
std::string FieldText(const DigestAlgorithm& algorithm, std::span<const std::uint8_t> digest);

// The digest of length bytes at data, in one go.
std::vector<std::uint8_t> DigestOf(const DigestAlgorithm& algorithm, const void* data, std::size_t length);

}  // namespace quillory
