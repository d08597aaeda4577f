#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>

#include "fields/md5.h"
#include "text/file_io.h"

namespace quillory {

// The SHA-256 digest of FIPS 180-4: 32 bytes.
using Sha256Digest = std::array<std::uint8_t, 32>;

// The digest of length bytes at data. Raises Error "SHA-256 is not available" when the crypto library
// refuses (it never does in a working installation).
Sha256Digest Sha256Of(const void* data, std::size_t length);

// Raised by Sha256OfFile when its progress callback asks it to stop; like Md5Cancelled it is no Error.
class Sha256Cancelled : public std::exception {
 public:
  const char* what() const noexcept override { return "SHA-256 digest cancelled"; }
};

// The digest of all the bytes of a file, read in large blocks. Raises "Cannot open file "%s". %s" when
// the file cannot be opened or read, and Sha256Cancelled when progress (called as Md5OfFile calls it)
// returns false. readable says which files it takes, as for Md5OfFile.
Sha256Digest Sha256OfFile(const std::string& path, const Md5Progress& progress = {},
                          Readable readable = Readable::kAnyFile);

// The 64 lower-case hexadecimal digits of a digest, as sha256sum prints them; the field holds this text.
std::string Sha256ToText(const Sha256Digest& digest);

}  // namespace quillory
