#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <string>

#include "text/file_io.h"

namespace quillory {

// The MD5 message digest of RFC 1321: 16 bytes in the RFC's byte order.
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

// The digest of length bytes at data, in one go.
Md5Digest Md5Of(const void* data, std::size_t length);

// Raised by Md5OfFile when its progress callback asks it to stop. It is no Error: the caller decides
// whether a stop is worth a message.
class Md5Cancelled : public std::exception {
 public:
  const char* what() const noexcept override { return "MD5 digest cancelled"; }
};

// Told the bytes digested so far and the file's length when it was opened (0 when the file has no known
// length); returns false to stop.
using Md5Progress = std::function<bool(std::uint64_t done, std::uint64_t total)>;

// The digest of all the bytes of a file, read in large blocks, of any length; readable says which files it
// takes (see OpenToRead). Raises "Cannot open file "%s". %s" when the file cannot be opened or read (a
// folder included), ""%s" is not a regular file" as OpenToRead does, and Md5Cancelled when progress
// returns false. progress, when given, is called once before the first read, after every block, and at
// least every 50 ms while a pipe or device has no data, so that a file that never ends can be stopped.
Md5Digest Md5OfFile(const std::string& path, const Md5Progress& progress = {},
                    Readable readable = Readable::kAnyFile);

// The 32 lower-case hexadecimal digits of a digest, the high half of each byte first.
std::string Md5ToText(const Md5Digest& digest);

// The text the MD5 field receives: the 32 digits of Md5ToText in upper case.
std::string Md5FieldText(const Md5Digest& digest);

}  // namespace quillory
