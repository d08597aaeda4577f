// Md5Add split points: the digest of a message does not depend on how it is cut into calls. The input's
// first byte gives a number of cuts, the next two bytes of each cut its length, and the rest is the
// message; it is digested in one call, cut as the input says (with empty additions between the pieces,
// one of them from an empty buffer that has no storage at all), and one byte at a time.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "fields/md5.h"
#include "fuzz_check.h"
#include "support/md5_of.h"

namespace {

bool IsWiped(const quillory::Md5Context& context) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(&context);
  for (size_t i = 0; i < sizeof context; ++i) {
    if (bytes[i] != 0) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const size_t cuts = data[0] % 16;
  size_t header = 1 + 2 * cuts;
  if (header > size) header = size;
  const uint8_t* message = data + header;
  const size_t length = size - header;
  const quillory::Md5Digest whole = quillory::testing::Md5Of(message, length);

  const std::vector<unsigned char> no_storage;
  quillory::Md5Context context;
  quillory::Md5Start(context);
  size_t pos = 0;
  for (size_t i = 0; i < cuts && 2 + 2 * i < header; ++i) {
    const size_t wanted = data[1 + 2 * i] | (size_t{data[2 + 2 * i]} << 8);
    const size_t piece = wanted < length - pos ? wanted : length - pos;
    quillory::Md5Add(context, message + pos, piece);
    pos += piece;
    quillory::Md5Add(context, message + pos, 0);
  }
  quillory::Md5Add(context, no_storage.data(), no_storage.size());
  quillory::Md5Add(context, message + pos, length - pos);
  FUZZ_CHECK(quillory::Md5Finish(context) == whole, "the digest depends on the cuts");
  FUZZ_CHECK(IsWiped(context), "Md5Finish left state behind");

  quillory::Md5Start(context);
  for (size_t i = 0; i < length; ++i) quillory::Md5Add(context, message + i, 1);
  FUZZ_CHECK(quillory::Md5Finish(context) == whole, "the digest of single bytes differs");
  return 0;
}
